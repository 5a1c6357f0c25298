#pragma once

#include "doubles/ManualClock.h"
#include "platform/media/AudioEngine.h"

namespace lectern::test {

// An audio engine whose clock moves only when the test says so: the sound
// of every open player advances by exactly the time given to advance(), and
// recordings grow by that much silence (or whatever clock().inputSource
// makes). Nothing is heard. When the clock is made to fail, a fresh manual
// clock takes over and clock() is that one.
class ManualClockEngine : public platform::AudioEngine {
  public:
    explicit ManualClockEngine(platform::CourseFiles& files, platform::AudioDevice::Format format =
                                                                 platform::AudioDevice::Format());

    void advance(double ms) { clock_->advance(ms); }
    ManualClock& clock() { return *clock_; }

  private:
    ManualClockEngine(platform::CourseFiles& files, ManualClock* clock);
    ManualClock* clock_;
};

}  // namespace lectern::test
