#pragma once

#include "support/TempDir.h"

#include <QString>

namespace lectern::test {

// A copy of a test course in a scratch folder that is the process's current
// folder while the object lives, as it is for the player.
class CourseFolder {
  public:
    // A course under tests/data/courses (or at an absolute path), or an
    // empty folder for an empty name.
    explicit CourseFolder(const QString& course = QString());
    ~CourseFolder();
    CourseFolder(const CourseFolder&) = delete;
    CourseFolder& operator=(const CourseFolder&) = delete;

    QString path() const { return dir_.path(); }
    // Writes (or replaces) a file of the course.
    void write(const QString& relativePath, const QByteArray& bytes) const {
        dir_.write(relativePath, bytes);
    }
    // Writes lines with CR LF after each.
    void writeLines(const QString& relativePath, const QStringList& lines) const;
    void remove(const QString& relativePath) const;

  private:
    TempDir dir_;
    QString previousFolder_;
};

}  // namespace lectern::test
