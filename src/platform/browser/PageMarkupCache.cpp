#include "platform/browser/PageMarkupCache.h"

#include <QFile>

#include <sys/stat.h>

namespace lectern::platform {

PageMarkupCache::Stamp PageMarkupCache::stampOf(const QString& file) {
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return {st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
            static_cast<quint64>(st.st_ino)};
}

void PageMarkupCache::store(const QString& file, int elements, QByteArray markup) {
    // A huge page is kept by nobody: it would cost more memory than its
    // second showing saves time.
    if (markup.size() > maxMarkup) {
        *this = PageMarkupCache();
        return;
    }
    stamp_ = stampOf(file);
    entry_ = {file, elements, std::move(markup)};
}

const PageMarkupCache::Entry* PageMarkupCache::find(const QString& file) const {
    if (entry_.file.isEmpty() || entry_.file != file || stamp_.size < 0 || stampOf(file) != stamp_)
        return nullptr;
    return &entry_;
}

}  // namespace lectern::platform
