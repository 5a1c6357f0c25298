#pragma once

#include <QTimer>
#include <functional>

class QSlider;

namespace lectern::platform {
class SkinnedForm;
class TMediaPlayer;
class WindowKeys;
}  // namespace lectern::platform

namespace lectern::exercises {

// A narrated window's sound as its Play and Pause buttons run it: the lesson
// player, the tick that follows it while it plays, and the window's paused
// flag. Space, the practice keys' pause and go-on, and the word popup's hold
// all see the sound through this; a copy refers to the same window.
struct NarrationButtons {
    platform::TMediaPlayer* player;
    QTimer* tick;
    const bool* paused;
    std::function<void()> play;
    std::function<void()> pause;

    // Neither playing nor paused: Space plays.
    bool stopped() const { return !tick->isActive() && !*paused; }
    // Pause, while it plays.
    void pauseWhilePlaying() const {
        if (tick->isActive())
            pause();
    }
    // Play, unless the learner paused or it plays already.
    void goOn() const {
        if (stopped())
            play();
    }
    // Holds the sound where it stands, without the Pause button; true when
    // it was playing.
    bool hold() const;
    // Goes on from where hold() left it.
    void release() const;

    // The window's keys of its buttons: Space plays or pauses, F1 is Help
    // and Escape Exit; Left and Right step the track bar.
    void bindKeys(platform::WindowKeys& keys, platform::SkinnedForm& window,
                  QSlider* trackBar) const;
};

}  // namespace lectern::exercises
