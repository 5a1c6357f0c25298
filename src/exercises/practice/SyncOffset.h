#pragma once

#include "exercises/practice/CourseSetting.h"

namespace lectern::platform {
class NoticeOverlay;
class WindowKeys;
}  // namespace lectern::platform

namespace lectern::exercises {

// Moves every highlight change earlier or later against the sound, for a
// course whose timings (or a headset) are off: `Ctrl+[` and `Ctrl+]` step it
// by 10 ms up to ±1000 ms, `Ctrl+Backspace` resets it. It shifts the marks
// the highlight follows and nothing else: not the sound, not where a pause
// after a passage stops it, not the marks a recording writes. Remembered
// per course; each change shows in the window's notice overlay.
class SyncOffset {
  public:
    static constexpr int Step = 10;
    static constexpr int Largest = 1000;

    SyncOffset(platform::WindowKeys& keys, platform::NoticeOverlay& overlay);

    void load(const QString& courseFolder);
    // Positive: the highlight moves later.
    int ms() const { return ms_; }
    // Kept within ±Largest; remembered and shown.
    void set(int ms);

  private:
    platform::NoticeOverlay& overlay_;
    CourseSetting setting_{QStringLiteral("syncOffset")};
    int ms_ = 0;
};

}  // namespace lectern::exercises
