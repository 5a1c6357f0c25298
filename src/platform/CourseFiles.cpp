#include "platform/CourseFiles.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lectern::platform {

CourseFiles::CourseFiles(TextDecoding decoding) : decoding_(std::move(decoding)) {}

QString CourseFiles::nativePath(const QString& coursePath) {
    QString path = coursePath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString CourseFiles::resolve(const QString& coursePath) const {
    return nativePath(coursePath);
}

bool CourseFiles::exists(const QString& coursePath) const {
    return QFileInfo::exists(resolve(coursePath));
}

QByteArray CourseFiles::readBytes(const QString& coursePath) const {
    const QString path = resolve(coursePath);
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file %1").arg(nativePath(coursePath)));
    return file.readAll();
}

QString CourseFiles::readText(const QString& coursePath) const {
    return decode(readBytes(coursePath));
}

QString CourseFiles::decode(QByteArray bytes) const {
    if (const auto nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    return decoding_.decode(bytes);
}

void CourseFiles::writeBytes(const QString& coursePath, const QByteArray& bytes) const {
    QSaveFile file(resolve(coursePath));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(QStringLiteral("Cannot create file %1").arg(nativePath(coursePath)));
}

bool CourseFiles::copyFile(const QString& from, const QString& to) const {
    const QString source = resolve(from);
    const QString target = resolve(to);
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath() &&
        QFileInfo::exists(target))
        return true;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

QString CourseFiles::currentFolder() const {
    return QDir::currentPath();
}

void CourseFiles::setCurrentFolder(const QString& coursePath) const {
    QDir::setCurrent(resolve(coursePath));
}

}  // namespace lectern::platform
