#pragma once

#include "doubles/ManualClockEngine.h"
#include "platform/files/CourseFiles.h"
#include "support/TempDir.h"

#include <memory>

namespace lectern::test {

// An audio engine on a manual clock, with a scratch folder for sound files.
// Course paths of the folder are written with '\' as the windows write them.
struct MediaTestEngine {
    QString coursePath(const QString& name) const {
        return dir.path() + QStringLiteral("\\") + name;
    }
    QString realPath(const QString& name) const { return dir.path() + QStringLiteral("/") + name; }
    ManualClock* clock() { return &engine->clock(); }

    TempDir dir;
    platform::CourseFiles files;
    std::unique_ptr<ManualClockEngine> engine = std::make_unique<ManualClockEngine>(files);
};

}  // namespace lectern::test
