#pragma once

#include "platform/files/SafeFile.h"

#include <QString>
#include <QStringList>

namespace lectern::platform {

class CourseFiles;

// An ordered list of text lines, indexed from 0, as course files hold them.
class StringList {
  public:
    StringList() = default;
    explicit StringList(QStringList lines) : lines_(std::move(lines)) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    // Raises "List index out of bounds (%d)" past the end.
    const QString& Strings(int index) const;
    const QString& operator[](int index) const { return Strings(index); }

    void Add(const QString& line) { lines_.append(line); }
    void Clear() { lines_.clear(); }
    const QStringList& lines() const { return lines_; }

    // Replaces the content with the file's lines; raises as
    // CourseFiles::readText does, the content unchanged.
    void LoadFromFile(const CourseFiles& files, const QString& coursePath,
                      qint64 limit = SafeFile::listLimit, const LineBudget& budget = {});
    // Each line followed by CR LF, in UTF-8.
    void SaveToFile(const CourseFiles& files, const QString& coursePath) const;

    // A line ends at CR LF, LF or CR; a last line without a break counts.
    static QStringList splitLines(QStringView text);
    QString text() const;

    friend bool operator==(const StringList&, const StringList&) = default;

  private:
    QStringList lines_;
};

}  // namespace lectern::platform
