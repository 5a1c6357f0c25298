#include "support/CourseFolder.h"

#include <QDir>
#include <QFile>

namespace lectern::test {

CourseFolder::CourseFolder(const QString& course) : previousFolder_(QDir::currentPath()) {
    if (QDir::isAbsolutePath(course))
        dir_.copyTree(course);
    else if (!course.isEmpty())
        dir_.copyTree(testDataPath("courses/" + course));
    QDir::setCurrent(dir_.path());
}

CourseFolder::~CourseFolder() {
    QDir::setCurrent(previousFolder_);
}

void CourseFolder::writeLines(const QString& relativePath, const QStringList& lines) const {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    dir_.write(relativePath, bytes);
}

void CourseFolder::remove(const QString& relativePath) const {
    QFile::remove(dir_.path() + QLatin1Char('/') + relativePath);
}

}  // namespace lectern::test
