#pragma once

#include <QKeySequence>
#include <QString>

#include <functional>

class QSlider;

namespace lectern::platform {

class TForm;
class TImage;

// The keys of one window: each runs while the window is active, through the
// window's guard. A key held down acts once, except where it steps.
class WindowKeys {
  public:
    explicit WindowKeys(TForm& form) : form_(form) {}

    // The key presses the button as a click does; the button's accessible
    // description names the key.
    void press(const QKeySequence& key, TImage* button);
    // The window's play key: `stopped` tells which of the two buttons it
    // presses, whichever button has the focus (Return presses that one).
    void play(const QKeySequence& key, TImage* whenStopped, TImage* otherwise,
              std::function<bool()> stopped);
    // Left and Right move the track bar one position, as dragging it does,
    // while it is enabled.
    void step(QSlider* trackBar);
    void bind(const QKeySequence& key, std::function<void()> action, bool repeats = false);

    // "Space" as the keyboard's own text names it.
    static QString keyName(const QKeySequence& key);
    static void describe(TImage* button, const QKeySequence& key);

  private:
    TForm& form_;
};

}  // namespace lectern::platform
