#include "exercises/practice/TakeStore.h"

#include "platform/Error.h"
#include "platform/files/SafeFile.h"
#include "platform/media/Sound.h"

#include <sndfile.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lectern::exercises {

namespace {

QString hashOf(const QString& text) {
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// The real path `path` has or will have once made: its deepest folder that
// exists, links resolved, with the rest as written.
QString realPathToBe(const QString& path) {
    QFileInfo at(QDir::cleanPath(QDir(path).absolutePath()));
    QString rest;
    while (!at.exists() && !at.isRoot()) {
        rest = u'/' + at.fileName() + rest;
        at = QFileInfo(at.path());
    }
    return at.canonicalFilePath() + rest;
}

}  // namespace

TakeStore::TakeStore(QString root) : root_(std::move(root)) {}

QString TakeStore::defaultRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/takes");
}

void TakeStore::setLesson(const QString& courseFolder, const QString& lessonSound) {
    courseFolder_ = courseFolder;
    lessonFolder_ = root_ + u'/' + hashOf(courseFolder_) + u'/' + hashOf(lessonSound);
}

QString TakeStore::pathOf(int passage) const {
    return lessonFolder_ + QStringLiteral("/passage-%1.wav").arg(passage);
}

void TakeStore::save(int passage, const std::vector<float>& mono, int rate) const {
    const QString path = pathOf(passage);
    const auto refuse = [&](const QString& reason) {
        return platform::Error(QStringLiteral("Cannot keep the take in %1: %2")
                                   .arg(QDir::toNativeSeparators(lessonFolder_), reason));
    };
    // A data folder inside the course (a course kept below the user's data
    // folder) would write into the course: refused before anything is made.
    const QString course = QFileInfo(courseFolder_).canonicalFilePath();
    const QString folder = realPathToBe(lessonFolder_);
    if (!course.isEmpty() && (folder == course || platform::SafeFile::isBelow(folder, course)))
        throw refuse(QStringLiteral("it lies inside the course"));
    if (!QDir().mkpath(lessonFolder_))
        throw refuse(QStringLiteral("the folder cannot be made"));
    platform::Sound::write(path, QDir::toNativeSeparators(path),
                           {SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, 1}, mono.data(),
                           (long long)mono.size());
}

std::shared_ptr<const platform::Sound> TakeStore::load(int passage) const {
    const QString path = pathOf(passage);
    if (!QFileInfo::exists(path))
        return nullptr;
    try {
        return platform::Sound::load(path, QDir::toNativeSeparators(path),
                                     QFileInfo(root_).canonicalFilePath());
    } catch (const platform::Error&) {
        return nullptr;
    }
}

}  // namespace lectern::exercises
