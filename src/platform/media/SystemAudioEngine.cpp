#include "platform/media/SystemAudioEngine.h"

#include "platform/media/InlineDriver.h"
#include "platform/media/PortAudioDevice.h"
#include "platform/media/SilentDevice.h"

#include <QString>
#include <cstdio>
#include <mutex>

namespace lectern::platform {

namespace {
// The rate the engine mixes at; every desktop sound server takes it.
constexpr int engineRate = 48000;

// The device is asked for again as lessons play: a reason is told once,
// and again only when it changes.
void reportNoSound(const QString& reason) {
    static std::mutex mutex;
    static QString told;
    std::lock_guard lock(mutex);
    if (reason == told)
        return;
    told = reason;
    const QByteArray line = QStringLiteral("lectern: no sound (%1); lessons go on in silence\n")
                                .arg(reason)
                                .toLocal8Bit();
    std::fputs(line.constData(), stderr);
}

std::unique_ptr<AudioDevice> openSystemDevice() {
    QString reason;
    std::unique_ptr<AudioDevice> device = PortAudioDevice::open(engineRate, &reason);
    if (!device)
        reportNoSound(reason);
    return device;
}
}  // namespace

std::unique_ptr<AudioEngine> createSystemAudioEngine(CourseFiles& files) {
    auto engine = createDeferredSystemAudioEngine(files);
    engine->openDeviceAside();
    engine->settle();
    return engine;
}

std::unique_ptr<AudioEngine> createDeferredSystemAudioEngine(CourseFiles& files) {
    return std::make_unique<AudioEngine>(files, openSystemDevice, engineRate);
}

std::unique_ptr<AudioEngine> createSilentAudioEngine(CourseFiles& files) {
    return std::make_unique<AudioEngine>(files, std::make_unique<SilentDevice>(),
                                         std::make_unique<InlineDriver>());
}

}  // namespace lectern::platform
