#include "platform/media/SystemAudioEngine.h"

#include "platform/media/InlineDriver.h"
#include "platform/media/PortAudioDevice.h"
#include "platform/media/SilentDevice.h"

namespace lectern::platform {

namespace {
// The rate the engine mixes at; every desktop sound server takes it.
constexpr int engineRate = 48000;
}  // namespace

std::unique_ptr<AudioEngine> createSystemAudioEngine(CourseFiles& files) {
    auto engine = createDeferredSystemAudioEngine(files);
    engine->openDeviceAside();
    engine->settle();
    return engine;
}

std::unique_ptr<AudioEngine> createDeferredSystemAudioEngine(CourseFiles& files) {
    return std::make_unique<AudioEngine>(
        files,
        [] { return std::unique_ptr<AudioDevice>(PortAudioDevice::open(engineRate, nullptr)); },
        engineRate);
}

std::unique_ptr<AudioEngine> createSilentAudioEngine(CourseFiles& files) {
    return std::make_unique<AudioEngine>(files, std::make_unique<SilentDevice>(),
                                         std::make_unique<InlineDriver>());
}

}  // namespace lectern::platform
