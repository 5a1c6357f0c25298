#include "app/RecentCourse.h"

#include "platform/desktop/UserSettings.h"

#include <QDir>
#include <QFileInfo>

namespace lectern::app {

namespace {

const QString Key = QStringLiteral("lastCourse");

}  // namespace

QString RecentCourse::startFolder() {
    const QString last = platform::userSettings().value(Key).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::homePath();
}

void RecentCourse::rememberCurrentFolder() {
    platform::userSettings().setValue(Key, QDir::currentPath());
}

}  // namespace lectern::app
