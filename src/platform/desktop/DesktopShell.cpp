#include "platform/desktop/DesktopShell.h"

#include "platform/Error.h"
#include "platform/files/CourseFiles.h"
#include "platform/files/SafeFile.h"
#include "platform/files/TextDecoding.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace lectern::platform {

void DesktopShell::open(const QString& coursePath) {
    // Only a regular file of the course goes to the desktop: not a link
    // that leads out of it, not a special file.
    const SafeFile page = SafeFile::openToRead(files_.resolve(coursePath), SafeFile::pageLimit,
                                               files_.courseFolder());
    if (!page.isOpen())
        return;
    // The path the opened file really has: the one a name was found under
    // may be this process's own (/proc/self/fd/N, for a name kept in the
    // legacy code page's bytes), which names another file, or none, in the
    // program that gets it. A name that is not UTF-8 has no address another
    // program reads back as the same bytes.
    const QByteArray real = SafeFile::nativeRealPathOf(page.fd());
    if (real.isEmpty() || !TextDecoding::isValidUtf8(real))
        throw Error(
            QStringLiteral("Cannot open %1 in the desktop's viewer: its name is not in UTF-8")
                .arg(CourseFiles::nativePath(coursePath)));
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(real)));
}

}  // namespace lectern::platform
