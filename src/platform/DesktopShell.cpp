#include "platform/DesktopShell.h"

#include "platform/CourseFiles.h"

#include <QDesktopServices>
#include <QUrl>

namespace lectern::platform {

void DesktopShell::open(const QString& coursePath) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(files_.resolve(coursePath)));
}

}  // namespace lectern::platform
