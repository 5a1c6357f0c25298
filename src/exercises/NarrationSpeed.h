#pragma once

#include "platform/media/AudioEngine.h"

#include <QString>

#include <vector>

namespace lectern::platform {
class NoticeOverlay;
class TForm;
class TMediaPlayer;
class WindowKeys;
}  // namespace lectern::platform

namespace lectern::exercises {

// The pace of a lesson window's sound, with its pitch kept: `[` and `]`
// step it by 0.1 between 0.5 and 2.0, Backspace brings it back to 1.0. The
// players take it at once, whether they play or not; their positions stay
// times in the sound, so a window's clock keeps marks, passages and units
// in step at any pace. The pace is remembered per course.
//
// Each change shows for about 1.5 s in an overlay on the window, whose
// accessible name carries it to a screen reader.
class NarrationSpeed {
  public:
    static constexpr double Slowest = platform::AudioEngine::minSpeed;
    static constexpr double Fastest = platform::AudioEngine::maxSpeed;
    static constexpr double Step = 0.1;

    NarrationSpeed(platform::TForm& form, platform::WindowKeys& keys,
                   std::vector<platform::TMediaPlayer*> players);

    // Takes the pace remembered for the course in `courseFolder`.
    void load(const QString& courseFolder);
    double speed() const { return tenths_ / 10.0; }
    // Rounded to a step and kept within the range; applied, remembered and shown.
    void set(double speed);
    platform::NoticeOverlay* overlay() const { return overlay_; }

  private:
    void apply();
    std::vector<platform::TMediaPlayer*> players_;
    QString key_;
    // Counted in tenths, so that repeated steps never drift.
    int tenths_ = 10;
    platform::NoticeOverlay* overlay_;
};

}  // namespace lectern::exercises
