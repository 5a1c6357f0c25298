#pragma once

#include <QString>
#include <QStringList>

namespace lectern::demo {

// The course folder being written. Names are course entries as the catalogue
// writes them, with '\' between folders; missing folders are made on the way.
class CourseFolder {
  public:
    explicit CourseFolder(QString root);

    // Empties the folder, so nothing of an older course stays behind.
    void recreate() const;

    // The real path of a course entry below the root, its folder made.
    QString path(const QString& entry) const;
    // The real path of a folder below the root, made if missing.
    QString folder(const QString& entry) const;

    // A line file of the catalogue: ASCII, every line ended by CR LF.
    void writeLines(const QString& entry, const QStringList& lines) const;
    // A page or style sheet, in UTF-8.
    void writeText(const QString& entry, const QString& text) const;

    const QString& root() const { return root_; }

  private:
    QString root_;
};

}  // namespace lectern::demo
