#pragma once

#include "exercises/practice/CourseSetting.h"

#include <functional>

class QTimer;

namespace lectern::platform {
class NoticeOverlay;
class TForm;
class TMediaPlayer;
class WindowKeys;
}  // namespace lectern::platform

namespace lectern::exercises {

// Pause after each passage, for saying it aloud: `P` turns it on or off,
// `Shift+P` chooses the way back (wait for Space, or go on by itself after
// the passage's time × 1.2). While on, the lesson sound stops at the end
// mark of every passage on the player's sample clock, and the window holds
// that passage highlighted until it plays on. Remembered per course; each
// change shows in the window's notice overlay.
//
// The window tells it when a passage starts playing (play) and when its
// tick finds the sound stopped at the passage's end (stoppedAtEnd, hold).
class PassagePause {
  public:
    enum class WayBack { Wait, RepeatTime };
    static constexpr double RepeatFactor = 1.2;

    // `passageEnd` gives the end mark (ms) of the passage that plays, read
    // only while pausing; `goOn` plays on after a hold when the repeat time
    // is over.
    PassagePause(platform::TForm& form, platform::WindowKeys& keys,
                 platform::NoticeOverlay& overlay, platform::TMediaPlayer& player,
                 std::function<int()> passageEnd, std::function<void()> goOn);

    void load(const QString& courseFolder);
    bool on() const { return on_; }
    WayBack wayBack() const { return wayBack_; }
    // Applied at once to a sound that plays, remembered and shown.
    void set(bool on);
    void setWayBack(WayBack wayBack);

    // Before the player plays a passage: its stop is set, or cleared when
    // not pausing. Ends a hold.
    void play();
    // Whether the sound has stopped at a passage's end and stays there.
    bool stoppedAtEnd() const;
    // The window holds `passage`, of `passageMs` (in the sound's own time),
    // after its end; with the repeat time, goOn follows after that time × 1.2
    // as heard at the player's speed.
    void hold(int passage, int passageMs);
    bool holding() const { return holding_; }
    int heldPassage() const { return held_; }
    // Ends a hold without playing on (Stop, closing the window).
    void cancel();

    QTimer* repeatTimer() const { return repeat_; }

  private:
    void show();

    platform::NoticeOverlay& overlay_;
    platform::TMediaPlayer& player_;
    std::function<int()> passageEnd_;
    CourseSetting onSetting_{QStringLiteral("pauseAfterPassage")};
    CourseSetting waySetting_{QStringLiteral("pauseWayBack")};
    bool on_ = false;
    WayBack wayBack_ = WayBack::Wait;
    bool holding_ = false;
    int held_ = 0;
    QTimer* repeat_;
};

}  // namespace lectern::exercises
