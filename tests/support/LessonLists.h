#pragma once

#include "catalogue/LessonEntries.h"
#include "platform/StringList.h"

namespace lectern::test {

// The per-node lists of a one-node course, for running a window's set-up
// without the main window: entries() is that node below appFolder.
struct LessonLists {
    platform::StringList captions{{"Lesson"}};
    platform::StringList texts{{QString()}};
    platform::StringList translations{{QString()}};
    platform::StringList marks{{QString()}};
    platform::StringList sounds{{QString()}};
    platform::StringList times{{"0"}};

    catalogue::LessonEntries entries(const QString& appFolder) const {
        return catalogue::LessonEntries({captions, texts, translations, marks, sounds, times}, 0,
                                        appFolder, appFolder + QLatin1Char('\\'));
    }
};

}  // namespace lectern::test
