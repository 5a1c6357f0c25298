#pragma once

#include "mainwindow/ExerciseWindows.h"
#include "mainwindow/SplashAndSkin.h"
#include "platform/Platform.h"
#include "platform/jpeg/PictureBudget.h"
#include "platform/jpeg/TJPEGImage.h"

#include <memory>

namespace lectern::platform {
class Words;
}

namespace lectern::mainwindow {
class TMainFrm;
}

namespace lectern::app {

class TIntroFrm;

// The program's seven windows, created once, hidden, in this order, and kept
// for the whole run; destroyed in the reverse order. The first is the main
// window: closing it ends the program. The set runs the start-up steps that
// reach every window (the skin and the splash) when the main window asks.
class WindowSet : public mainwindow::ExerciseWindows, private mainwindow::SplashAndSkin {
  public:
    explicit WindowSet(platform::Platform& platform);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    mainwindow::TMainFrm* MainFrm = nullptr;
    TIntroFrm* IntroFrm = nullptr;

    // The word lookups of every page, with the course's word list.
    platform::Words& Words() const { return *words_; }

  private:
    void wireWords();
    void SizeSplash(int width, int height) override;
    void SkinWindows(const platform::StringList& layout) override;
    void PrepareSplash(const QString& appFolder,
                       const platform::StringList& windowSettings) override;
    void PlaceButtons(const platform::StringList& layout) override;

    platform::Platform& platform_;
    // Made first and destroyed last: every window's pages report to it.
    std::unique_ptr<platform::Words> words_;
    // The skin and the splash stay for the whole run: four pictures of the
    // largest size, or many smaller ones, and no more.
    platform::PictureBudget pictures_{4 * platform::TJPEGImage::MaxPixels};
};

}  // namespace lectern::app
