#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace lectern::test {

// One way of breaking a copy of the demo course.
struct BrokenCourse {
    QString name;
    // Breaks the course in this folder (a fresh copy of the demo course,
    // LECTERN_DEMO_COURSE).
    std::function<void(const QString& folder)> breakIt;
    // Whether the narrated lesson (node 1) is still reachable and worth running.
    bool narratedLesson = true;
    // Whether the splash is switched on, so that its ten seconds pass first.
    bool splash = false;
    // Whether the narrated lesson must open within ten seconds and play
    // without a message box.
    bool lessonPlaysCleanly = false;
};

// Broken copies of the demo course: every catalogue file missing or random,
// a very deep tree, a very long line, too many nodes and a huge title, huge
// and negative window sizes, a splash with a garbage picture, without its
// sound or with a 2 GB one, truncated skin pictures and ones claiming a huge
// size, a narrated lesson whose page, marks or sound are broken, and a
// description page that loops for ever while the learner runs a lesson.
std::vector<BrokenCourse> brokenCourses();

// The demo course's narrated reading lesson.
constexpr int NarratedLessonNode = 1;

}  // namespace lectern::test
