#pragma once

class QString;

namespace lectern::platform {
class StringList;
}

namespace lectern::mainwindow {

// The start-up steps that reach every window of the program, the splash among
// them: the composition root runs them; the main window decides when.
class SplashAndSkin {
  public:
    virtual void SizeSplash(int width, int height) = 0;
    // Bars, edges and button pictures of every skinned window.
    virtual void SkinWindows(const platform::StringList& layout) = 0;
    // The splash's picture and caption, and the splash shown if switched on.
    virtual void PrepareSplash(const QString& appFolder,
                               const platform::StringList& windowSettings) = 0;
    // Every button of every window where the geometry puts it.
    virtual void PlaceButtons(const platform::StringList& layout) = 0;

  protected:
    ~SplashAndSkin() = default;
};

}  // namespace lectern::mainwindow
