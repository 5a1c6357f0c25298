#include "doubles/ManualClockEngine.h"

#include "platform/media/InlineDriver.h"

namespace lectern::test {

using namespace platform;

ManualClockEngine::ManualClockEngine(CourseFiles& files, AudioDevice::Format format)
    : ManualClockEngine(files, new ManualClock(format)) {}

ManualClockEngine::ManualClockEngine(CourseFiles& files, ManualClock* clock)
    : AudioEngine(files, std::unique_ptr<AudioDevice>(clock), std::make_unique<InlineDriver>(),
                  [this](const AudioDevice::Format& format) {
                      auto next = std::make_unique<ManualClock>(format);
                      clock_ = next.get();
                      return next;
                  }),
      clock_(clock) {}

}  // namespace lectern::test
