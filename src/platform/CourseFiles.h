#pragma once

#include "platform/TextDecoding.h"

#include <QByteArray>
#include <QString>

namespace lectern::platform {

// File access for course paths. The program forms paths the way course
// authors wrote them, by concatenation with '\' (AppFolder + "\data\text\" +
// entry); this is the one place that turns them into real files of this
// system. Messages name paths the way this system writes them.
class CourseFiles {
  public:
    explicit CourseFiles(TextDecoding decoding = TextDecoding());

    // The path with '\' separators turned into this system's '/'.
    static QString nativePath(const QString& coursePath);

    // The real file a course path names, or its native form when none exists.
    QString resolve(const QString& coursePath) const;
    bool exists(const QString& coursePath) const;

    // Raises "Cannot open file %s" when the file cannot be read.
    QByteArray readBytes(const QString& coursePath) const;
    // The file's text, decoded once: a NUL byte ends it.
    QString readText(const QString& coursePath) const;
    QString decode(QByteArray bytes) const;

    // Replaces the file as a whole or not at all; raises "Cannot create file %s".
    void writeBytes(const QString& coursePath, const QByteArray& bytes) const;
    // Copies over an existing target; the result is for callers that care.
    bool copyFile(const QString& from, const QString& to) const;

    QString currentFolder() const;
    void setCurrentFolder(const QString& coursePath) const;

    TextDecoding& decoding() { return decoding_; }
    const TextDecoding& decoding() const { return decoding_; }

  private:
    TextDecoding decoding_;
};

}  // namespace lectern::platform
