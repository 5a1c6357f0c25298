#include "platform/files/CourseFiles.h"

#include "platform/Error.h"
#include "platform/files/FileRefused.h"
#include "platform/files/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <cerrno>
#include <climits>
#include <stdexcept>

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

void CourseFiles::setCourseFolder(const QString& folder) {
    // An empty root would confine nothing: the caller must have a folder.
    if (folder.isEmpty())
        throw std::logic_error("CourseFiles::setCourseFolder: no course folder");
    const QString real = QFileInfo(nativePath(folder)).canonicalFilePath();
    root_ =
        real.isEmpty() ? QDir::cleanPath(QFileInfo(nativePath(folder)).absoluteFilePath()) : real;
    if (root_.isEmpty() || !QDir::isAbsolutePath(root_))
        throw std::logic_error("CourseFiles::setCourseFolder: the course folder has no path");
}

SafeFile CourseFiles::openSource(const QString& coursePath, qint64 limit) const {
    SafeFile file = SafeFile::openToRead(resolve(coursePath), limit, root_);
    if (file.isOpen())
        return file;
    QString message = QStringLiteral("Cannot open file %1").arg(nativePath(coursePath));
    // A missing file keeps the plain message the course author knows.
    if (file.failure() == SafeFile::reasonOf(ENOENT))
        throw FileRefused(message, QString());
    throw FileRefused(message + QStringLiteral(": ") + file.failure(), file.failure());
}

QByteArray CourseFiles::readBytes(const QString& coursePath, qint64 limit,
                                  const LineBudget& budget) const {
    const SafeFile file = openSource(coursePath, limit);
    QByteArray bytes;
    QString failure;
    if (!file.readAll(bytes, failure, budget))
        throw FileRefused(
            QStringLiteral("Cannot open file %1: %2").arg(nativePath(coursePath), failure),
            failure);
    return bytes;
}

QString CourseFiles::readText(const QString& coursePath, TextDecoding::Report* report, qint64 limit,
                              const LineBudget& budget) const {
    return decode(readBytes(coursePath, limit, budget), report);
}

QString CourseFiles::decode(QByteArray bytes, TextDecoding::Report* report) const {
    if (const auto nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    return decoding_.decode(bytes, report);
}

QByteArray CourseFiles::detectCodePage(const QStringList& coursePaths, const LineBudget& budget) {
    // The detector sees the lines that are not UTF-8, from all files at
    // once: one file's few captions say little, the catalogue as a whole
    // says which script it is written in.
    QByteArray sample;
    for (const QString& coursePath : coursePaths) {
        QByteArray bytes;
        try {
            bytes = readBytes(coursePath, SafeFile::treeLimit, budget);
        } catch (const Error&) {
            continue;
        }
        if (const auto nul = bytes.indexOf('\0'); nul >= 0)
            bytes.truncate(nul);
        for (qsizetype start = 0; start < bytes.size();) {
            qsizetype end = bytes.indexOf('\n', start);
            if (end < 0)
                end = bytes.size();
            const QByteArrayView line(bytes.constData() + start, end - start);
            if (!TextDecoding::isValidUtf8(line)) {
                sample += line;
                sample += '\n';
            }
            start = end + 1;
        }
    }
    decoding_.setLegacyCodePage(TextDecoding::detectLegacyCodePage(sample));
    return decoding_.legacyCodePage();
}

bool CourseFiles::isTaken(const QString& coursePath) const {
    if (exists(coursePath))
        return true;
    struct stat st;
    return ::lstat(QFile::encodeName(resolve(coursePath)).constData(), &st) == 0;
}

namespace {

[[noreturn]] void cannotCreate(const QString& shown, const QString& reason) {
    throw Error(QStringLiteral("Cannot create file %1: %2").arg(shown, reason));
}

}  // namespace

void CourseFiles::writeBytes(const QString& coursePath, const QByteArray& bytes) const {
    const QString target = resolve(coursePath);
    FileReplacement file(target, FileReplacement::Links::RefuseLinks, root_);
    const bool written = file.write(bytes) && file.commit();
    resolver_->forgetFolder(QFileInfo(target).path());
    if (!written)
        cannotCreate(nativePath(coursePath), file.failure());
}

bool CourseFiles::copyFile(const QString& from, const QString& to) const {
    if (!exists(from))
        return false;
    const SafeFile source = openSource(from, SafeFile::soundLimit);
    const QString target = resolve(to);
    if (SafeFile::realPathOf(source.fd()) == QFileInfo(target).canonicalFilePath())
        return true;
    FileReplacement file(target, FileReplacement::Links::RefuseLinks, root_);
    const bool written = file.copyFrom(source.fd()) && file.commit();
    resolver_->forgetFolder(QFileInfo(target).path());
    if (!written)
        cannotCreate(nativePath(to), file.failure());
    return true;
}

void CourseFiles::writeChosenFile(const QString& path, const QByteArray& bytes) const {
    FileReplacement file(path, FileReplacement::Links::ReplaceLinks);
    if (!file.write(bytes) || !file.commit())
        cannotCreate(path, file.failure());
    resolver_->forgetFolder(QFileInfo(path).path());
}

void CourseFiles::copyToChosenFile(const QString& from, const QString& path) const {
    const SafeFile source = openSource(from, SafeFile::soundLimit);
    if (SafeFile::realPathOf(source.fd()) == QFileInfo(path).canonicalFilePath())
        return;
    FileReplacement file(path, FileReplacement::Links::ReplaceLinks);
    if (!file.copyFrom(source.fd()) || !file.commit())
        cannotCreate(path, file.failure());
    resolver_->forgetFolder(QFileInfo(path).path());
}

SafeFile CourseFiles::openToRecord(const QString& coursePath) const {
    const QString target = resolve(coursePath);
    SafeFile file = SafeFile::openToRecord(target, root_);
    resolver_->forgetFolder(QFileInfo(target).path());
    if (!file.isOpen())
        cannotCreate(nativePath(coursePath), file.failure());
    return file;
}

void CourseFiles::forget(const QString& coursePath) const {
    resolver_->forgetFolder(QFileInfo(resolve(coursePath)).path());
}

QString CourseFiles::currentFolder() const {
    return QDir::currentPath();
}

QString CourseFiles::currentFolderProblem() {
    const QString path = QDir::currentPath();
    if (path.isEmpty())
        return QStringLiteral(
                   "The current folder has no path the system can give (longer than %1 bytes, "
                   "or removed); start Lectern with a shorter course path.")
            .arg(PATH_MAX - 1);
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable() ||
        !QDir(QStringLiteral(".")).isReadable())
        return QStringLiteral("The folder %1 cannot be read.").arg(path);
    return {};
}

void CourseFiles::setCurrentFolder(const QString& coursePath) const {
    QDir::setCurrent(resolve(coursePath));
}

}  // namespace lectern::platform
