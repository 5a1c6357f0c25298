#pragma once

#include <QString>

namespace lectern::exercises {

// Where the learner left off in a course: the last lesson run and, for each
// lesson, the last passage it showed as current. Kept in the user's settings
// (never in the course) and written through at every change, so that a
// program killed at any moment loses at most the passage being played.
//
// A window follows one lesson at a time: the launcher names it, and the
// window reports each passage it makes current.
class ResumePoint {
  public:
    // The course's last lesson run, or -1 when none was kept.
    static int lastLesson(const QString& courseFolder);
    // The passage kept for a lesson of the course, or 0 when none was.
    static int passageOf(const QString& courseFolder, int node);
    // Lesson `node` is the course's last one run.
    static void lessonRun(const QString& courseFolder, int node);

    // From now on, passages reached are kept for lesson `node`.
    void follow(const QString& courseFolder, int node);
    // Passages reached are no longer kept (a lesson that keeps no place).
    void forget() { key_.clear(); }
    // Passage k is current: kept at once when it differs from the last kept.
    void reached(int passage);

  private:
    QString key_;
    int kept_ = 0;
};

}  // namespace lectern::exercises
