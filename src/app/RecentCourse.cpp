#include "app/RecentCourse.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace lectern::app {

namespace {

const QString Key = QStringLiteral("lastCourse");

QSettings settings() {
    return QSettings(QStringLiteral("Lectern"), QStringLiteral("lectern"));
}

}  // namespace

QString RecentCourse::startFolder() {
    const QString last = settings().value(Key).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::homePath();
}

void RecentCourse::rememberCurrentFolder() {
    settings().setValue(Key, QDir::currentPath());
}

}  // namespace lectern::app
