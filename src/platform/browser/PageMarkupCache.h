#pragma once

#include <QByteArray>
#include <QString>

namespace lectern::platform {

// The markup the engine made of the last static page it showed: one with no
// scripts, no inline handlers and no inputs, whose document is therefore
// fixed by its file's bytes alone. When the same bytes are shown again, the
// page's model is made from this copy while the engine loads, instead of
// being copied out of the page and parsed after the load: on a long reading
// page that is much of the wait for the first highlight. One page is kept,
// the one most likely reopened; a huge one is not kept at all.
class PageMarkupCache {
  public:
    static constexpr qsizetype maxMarkup = 8 * 1024 * 1024;

    // Keeps `markup` for `file` as its bytes are now.
    void store(const QString& file, QByteArray markup);
    // The markup kept for `file` while the file still holds the same bytes;
    // null otherwise.
    const QByteArray* find(const QString& file) const;

  private:
    // A digest of the file's bytes; empty when it cannot be read.
    static QByteArray digestOf(const QString& file);

    QString file_;
    QByteArray digest_;
    QByteArray markup_;
};

}  // namespace lectern::platform
