#include "platform/DesktopShell.h"

#include "platform/CourseFiles.h"
#include "platform/SafeFile.h"

#include <QDesktopServices>
#include <QUrl>

namespace lectern::platform {

void DesktopShell::open(const QString& coursePath) {
    // Only a regular file of the course goes to the desktop: not a link
    // that leads out of it, not a special file.
    const QString file = files_.resolve(coursePath);
    if (!SafeFile::openToRead(file, SafeFile::pageLimit, files_.courseFolder()).isOpen())
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

}  // namespace lectern::platform
