#pragma once

#include <QString>

namespace lectern::app {

// The course folder opened last, kept in the player's settings so that the
// folder chooser starts there next time.
class RecentCourse {
  public:
    // The folder to start choosing in: the last course when it still
    // exists, else the home folder.
    static QString startFolder();
    // Keeps the current folder as the last course.
    static void rememberCurrentFolder();
};

}  // namespace lectern::app
