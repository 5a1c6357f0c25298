#pragma once

#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <optional>

namespace lectern::platform {

// The markup the engine made of the static pages it showed last: pages with
// no scripts, no inline handlers and no inputs, whose documents are
// therefore fixed by their files' bytes alone. When the same bytes are
// shown again, the page's model is made from this copy before the engine
// loads the page, instead of being copied out of it after the load, and the
// lesson's first changes go into the page as the engine parses it: on a long
// reading page the load is most of the wait for the first highlight.
// The pages most recently used are kept, up to a total size; a page over
// that size is not kept at all. (The main window's description pages come
// and go between two showings of a lesson, so one page would not do.)
class PageMarkupCache {
  public:
    static constexpr qsizetype maxMarkup = 8 * 1024 * 1024;

    // Reads a page's bytes the way the engine gets them; none when it cannot.
    using Reader = std::function<std::optional<QByteArray>(const QString& file)>;
    explicit PageMarkupCache(Reader read) : read_(std::move(read)) {}

    // Keeps `markup` for `file` as its bytes are now.
    void store(const QString& file, QByteArray markup);
    // The markup kept for `file` while the file still holds the same bytes;
    // null otherwise. Valid until the next store or find.
    const QByteArray* find(const QString& file);

  private:
    // A digest of the file's bytes; empty when it cannot be read.
    QByteArray digestOf(const QString& file) const;

    struct Page {
        QString file;
        QByteArray digest;
        QByteArray markup;
    };
    Reader read_;
    std::deque<Page> pages_;  // the most recently used first
};

}  // namespace lectern::platform
