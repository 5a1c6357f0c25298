#include "demo/CourseFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace lectern::demo {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

}  // namespace

CourseFolder::CourseFolder(QString root) : root_(std::move(root)) {}

void CourseFolder::recreate() const {
    QDir dir(root_);
    if (dir.exists() && !dir.removeRecursively()) {
        throw std::runtime_error("cannot empty " + root_.toStdString());
    }
    if (!QDir().mkpath(root_)) {
        throw std::runtime_error("cannot make " + root_.toStdString());
    }
}

QString CourseFolder::path(const QString& entry) const {
    const QString local = root_ + "/" + QString(entry).replace('\\', '/');
    const QString folder = QFileInfo(local).absolutePath();
    if (!QDir().mkpath(folder)) {
        throw std::runtime_error("cannot make " + folder.toStdString());
    }
    return local;
}

QString CourseFolder::folder(const QString& entry) const {
    const QString local = root_ + "/" + QString(entry).replace('\\', '/');
    if (!QDir().mkpath(local)) {
        throw std::runtime_error("cannot make " + local.toStdString());
    }
    return local;
}

void CourseFolder::writeLines(const QString& entry, const QStringList& lines) const {
    QByteArray bytes;
    for (const QString& line : lines) {
        for (QChar c : line) {
            if (c.unicode() > 127) {
                throw std::runtime_error("catalogue text must be ASCII: " + line.toStdString());
            }
        }
        bytes += line.toLatin1() + "\r\n";
    }
    writeFile(path(entry), bytes);
}

void CourseFolder::writeText(const QString& entry, const QString& text) const {
    writeFile(path(entry), text.toUtf8());
}

}  // namespace lectern::demo
