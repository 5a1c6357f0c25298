#pragma once

#include "platform/CourseFiles.h"
#include "platform/media/AudioEngine.h"
#include "platform/media/ManualClock.h"
#include "support/TempDir.h"

#include <memory>

namespace lectern::test {

// An audio engine on a manual clock, with a scratch folder for sound files.
// Course paths of the folder are written with '\' as the windows write them.
struct MediaTestEngine {
    explicit MediaTestEngine(platform::AudioDevice::Format format = platform::AudioDevice::Format()) {
        auto device = std::make_unique<platform::ManualClock>(format);
        clock = device.get();
        engine = std::make_unique<platform::AudioEngine>(files, std::move(device), [this](const auto& f) {
            auto next = std::make_unique<platform::ManualClock>(f);
            clock = next.get();
            return next;
        });
    }

    QString coursePath(const QString& name) const { return dir.path() + QStringLiteral("\\") + name; }
    QString realPath(const QString& name) const { return dir.path() + QStringLiteral("/") + name; }

    TempDir dir;
    platform::CourseFiles files;
    // The clock now driving the engine; a failed device is replaced by a new one.
    platform::ManualClock* clock = nullptr;
    std::unique_ptr<platform::AudioEngine> engine;
};

}  // namespace lectern::test
