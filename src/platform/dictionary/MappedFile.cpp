#include "platform/dictionary/MappedFile.h"

#include "platform/files/SafeFile.h"

#include <sys/mman.h>

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
    // Lookups jump about the file: reading ahead of a page only fills memory.
    ::madvise(const_cast<uchar*>(data), size_t(size), MADV_RANDOM);
    bytes_ = QByteArrayView(reinterpret_cast<const char*>(data), size);
}

void MappedFile::releasePages() const {
    if (!bytes_.isEmpty())
        ::madvise(const_cast<char*>(bytes_.data()), size_t(bytes_.size()), MADV_DONTNEED);
}

}  // namespace lectern::platform
