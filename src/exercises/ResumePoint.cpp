#include "exercises/ResumePoint.h"

#include "platform/desktop/UserSettings.h"

#include <QCryptographicHash>

namespace lectern::exercises {

namespace {

// The course's own group: its folder's path hashed, as settings keys are
// not free text.
QString groupOf(const QString& courseFolder) {
    return QStringLiteral("resume/") +
           QString::fromLatin1(
               QCryptographicHash::hash(courseFolder.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString lessonKey(const QString& courseFolder) {
    return groupOf(courseFolder) + QStringLiteral("/lesson");
}

QString passageKey(const QString& courseFolder, int node) {
    return groupOf(courseFolder) + QStringLiteral("/passage") + QString::number(node);
}

// What was kept, read as a count; anything else (an edited or damaged
// settings file) as nothing kept.
int keptNumber(const QString& key, int none) {
    bool ok = false;
    const int value = platform::userSettings().value(key).toInt(&ok);
    return ok && value >= 0 ? value : none;
}

// Written and synced: QSettings would otherwise keep the change in memory
// until it is destroyed or its event comes, which a killed program never sees.
void keep(const QString& key, int value) {
    QSettings settings = platform::userSettings();
    settings.setValue(key, value);
    settings.sync();
}

}  // namespace

int ResumePoint::lastLesson(const QString& courseFolder) {
    return keptNumber(lessonKey(courseFolder), -1);
}

int ResumePoint::passageOf(const QString& courseFolder, int node) {
    return keptNumber(passageKey(courseFolder, node), 0);
}

void ResumePoint::lessonRun(const QString& courseFolder, int node) {
    keep(lessonKey(courseFolder), node);
}

void ResumePoint::follow(const QString& courseFolder, int node) {
    key_ = passageKey(courseFolder, node);
    kept_ = keptNumber(key_, 0);
}

void ResumePoint::reached(int passage) {
    if (key_.isEmpty() || passage < 1 || passage == kept_)
        return;
    keep(key_, passage);
    kept_ = passage;
}

}  // namespace lectern::exercises
