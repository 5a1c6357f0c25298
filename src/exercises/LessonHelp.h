#pragma once

#include "platform/Platform.h"
#include "platform/desktop/Shell.h"

#include <QString>
#include <functional>

namespace lectern::exercises {

// Help in a lesson window: the desktop opens the help page of the lesson
// selected in the main window; nothing happens while no page was given.
inline void openLessonHelp(platform::Platform& platform, const std::function<QString()>& page) {
    if (page)
        platform.shell.open(page());
}

}  // namespace lectern::exercises
