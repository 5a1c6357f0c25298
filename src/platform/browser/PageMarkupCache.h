#pragma once

#include <QByteArray>
#include <QString>

namespace lectern::platform {

// The markup the engine made of the last static page it showed: one with no
// scripts and no inputs, whose document is therefore fixed by its file
// alone. When that file is shown again unchanged, its model is made from
// this copy while the engine loads, instead of being copied out of the page
// and parsed after the load: on a long reading page that is most of the wait
// for the first highlight. One page is kept, the one most likely reopened.
class PageMarkupCache {
  public:
    struct Entry {
        QString file;
        // The page's element count, as the engine counts it, and the
        // markup in UTF-8.
        int elements = 0;
        QByteArray markup;
    };

    // Keeps `markup` for `file` as it is on disk now.
    void store(const QString& file, int elements, QByteArray markup);
    // The entry for `file` while the file is still the one it was made from.
    const Entry* find(const QString& file) const;

    static constexpr qsizetype maxMarkup = 8 * 1024 * 1024;

  private:
    struct Stamp {
        qint64 size = -1;
        qint64 modified = 0;
        quint64 inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& file);

    Entry entry_;
    Stamp stamp_;
};

}  // namespace lectern::platform
