#include "platform/browser/PageMarkupCache.h"

#include <QCryptographicHash>
#include <algorithm>

namespace lectern::platform {

QByteArray PageMarkupCache::digestOf(const QString& file) const {
    const std::optional<QByteArray> bytes = read_(file);
    if (!bytes)
        return QByteArray();
    return QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256);
}

void PageMarkupCache::store(const QString& file, QByteArray markup) {
    std::erase_if(pages_, [&](const Page& page) { return page.file == file; });
    if (markup.size() > maxMarkup)
        return;
    QByteArray digest = digestOf(file);
    if (digest.isEmpty())
        return;
    pages_.push_front(Page{file, std::move(digest), std::move(markup)});
    qsizetype total = 0;
    const auto over = std::find_if(pages_.begin(), pages_.end(), [&](const Page& page) {
        total += page.markup.size();
        return total > maxMarkup;
    });
    pages_.erase(over, pages_.end());
}

const QByteArray* PageMarkupCache::find(const QString& file) {
    const auto kept = std::find_if(pages_.begin(), pages_.end(),
                                   [&](const Page& page) { return page.file == file; });
    if (kept == pages_.end())
        return nullptr;
    if (digestOf(file) != kept->digest) {
        pages_.erase(kept);
        return nullptr;
    }
    std::rotate(pages_.begin(), kept, kept + 1);
    return &pages_.front().markup;
}

}  // namespace lectern::platform
