#include "platform/browser/PageMarkupCache.h"

#include "platform/SafeFile.h"

#include <QCryptographicHash>

namespace lectern::platform {

QByteArray PageMarkupCache::digestOf(const QString& file) {
    // The page was admitted before it was loaded; this read is only held to
    // the page's own limits.
    const SafeFile in = SafeFile::openToRead(file, SafeFile::pageLimit, QString());
    QByteArray bytes;
    QString failure;
    if (!in.isOpen() || !in.readAll(bytes, failure))
        return QByteArray();
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

void PageMarkupCache::store(const QString& file, QByteArray markup) {
    *this = PageMarkupCache();
    if (markup.size() > maxMarkup)
        return;
    QByteArray digest = digestOf(file);
    if (digest.isEmpty())
        return;
    file_ = file;
    digest_ = std::move(digest);
    markup_ = std::move(markup);
}

const QByteArray* PageMarkupCache::find(const QString& file) const {
    if (file_.isEmpty() || file != file_ || digestOf(file) != digest_)
        return nullptr;
    return &markup_;
}

}  // namespace lectern::platform
