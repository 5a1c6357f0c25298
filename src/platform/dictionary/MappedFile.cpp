#include "platform/dictionary/MappedFile.h"

#include "platform/files/SafeFile.h"

namespace lectern::platform {

MappedFile::MappedFile(const QString& path, qint64 limit) {
    SafeFile safe = SafeFile::openToRead(path, limit, QString());
    if (!safe.isOpen()) {
        failure_ = safe.failure();
        return;
    }
    const qint64 size = safe.size();
    if (!file_.open(safe.release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        failure_ = file_.errorString();
        return;
    }
    if (size == 0)
        return;  // nothing to map; an empty view
    const uchar* data = file_.map(0, size);
    if (!data) {
        failure_ = QStringLiteral("it cannot be mapped: %1").arg(file_.errorString());
        return;
    }
    bytes_ = QByteArrayView(reinterpret_cast<const char*>(data), size);
}

}  // namespace lectern::platform
