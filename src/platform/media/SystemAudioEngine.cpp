#include "platform/media/SystemAudioEngine.h"

#include "platform/media/PortAudioDevice.h"
#include "platform/media/SilentDevice.h"

namespace lectern::platform {

namespace {

std::unique_ptr<AudioDevice> openSystemDevice() {
    QString reason;
    std::unique_ptr<AudioDevice> device = PortAudioDevice::open(&reason);
    if (!device)
        device = std::make_unique<SilentDevice>();
    return device;
}

}  // namespace

std::unique_ptr<AudioEngine> createSystemAudioEngine(CourseFiles& files) {
    return std::make_unique<AudioEngine>(files, openSystemDevice());
}

std::unique_ptr<AudioEngine> createDeferredSystemAudioEngine(CourseFiles& files) {
    return std::make_unique<AudioEngine>(files, openSystemDevice);
}

std::unique_ptr<AudioEngine> createSilentAudioEngine(CourseFiles& files) {
    return std::make_unique<AudioEngine>(files, std::make_unique<SilentDevice>());
}

}  // namespace lectern::platform
