#include "platform/CourseFiles.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lectern::platform {

CourseFiles::CourseFiles(TextDecoding decoding)
    : decoding_(std::move(decoding)), resolver_(std::make_shared<PathResolver>()) {}

QString CourseFiles::nativePath(const QString& coursePath) {
    QString path = coursePath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString CourseFiles::resolve(const QString& coursePath) const {
    return resolver_->resolve(nativePath(coursePath), decoding_.legacyCodePage()).path;
}

PathResolver::Result CourseFiles::lookup(const QString& coursePath) const {
    return resolver_->resolve(nativePath(coursePath), decoding_.legacyCodePage());
}

bool CourseFiles::exists(const QString& coursePath) const {
    return lookup(coursePath).found();
}

QByteArray CourseFiles::readBytes(const QString& coursePath) const {
    const QString path = resolve(coursePath);
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file %1").arg(nativePath(coursePath)));
    return file.readAll();
}

QString CourseFiles::readText(const QString& coursePath, TextDecoding::Report* report) const {
    return decode(readBytes(coursePath), report);
}

QString CourseFiles::decode(QByteArray bytes, TextDecoding::Report* report) const {
    if (const auto nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    return decoding_.decode(bytes, report);
}

QByteArray CourseFiles::detectCodePage(const QStringList& coursePaths) {
    // The detector sees the lines that are not UTF-8, from all files at
    // once: one file's few captions say little, the catalogue as a whole
    // says which script it is written in.
    QByteArray sample;
    for (const QString& coursePath : coursePaths) {
        QByteArray bytes;
        try {
            bytes = readBytes(coursePath);
        } catch (const Error&) {
            continue;
        }
        if (const auto nul = bytes.indexOf('\0'); nul >= 0)
            bytes.truncate(nul);
        for (const QByteArray& line : bytes.split('\n')) {
            if (!TextDecoding::isValidUtf8(line)) {
                sample += line;
                sample += '\n';
            }
        }
    }
    decoding_.setLegacyCodePage(TextDecoding::detectLegacyCodePage(sample));
    return decoding_.legacyCodePage();
}

void CourseFiles::writeBytes(const QString& coursePath, const QByteArray& bytes) const {
    const QString target = resolve(coursePath);
    QSaveFile file(target);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    resolver_->forgetFolder(QFileInfo(target).path());
    if (!written)
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
    const bool committed = out.commit();
    resolver_->forgetFolder(QFileInfo(target).path());
    return committed;
}

void CourseFiles::forget(const QString& coursePath) const {
    resolver_->forgetFolder(QFileInfo(resolve(coursePath)).path());
}

QString CourseFiles::currentFolder() const {
    return QDir::currentPath();
}

void CourseFiles::setCurrentFolder(const QString& coursePath) const {
    QDir::setCurrent(resolve(coursePath));
}

}  // namespace lectern::platform
