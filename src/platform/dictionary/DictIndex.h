#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace lectern::platform {

// A dictd index: one line per headword, "headword TAB offset TAB length",
// the numbers in dictd's base64 digits, the lines sorted as dictd sorts
// them. By default that is case-folded, ignoring everything but letters,
// digits and blanks; an index whose "00-database-allchars" line is present
// keeps every character, and "00-database-case-sensitive" keeps case.
// Lookups are binary searches over the bytes as they are: nothing is read
// but the lines the search touches, and a malformed line is skipped.
class DictIndex {
  public:
    struct Location {
        quint64 offset = 0;
        quint64 length = 0;
    };

    explicit DictIndex(QByteArrayView bytes);

    // Every entry whose headword matches `word` the way the index is sorted,
    // at most `limit` of them.
    std::vector<Location> find(const QString& word, int limit = 16) const;
    // Whether the index holds the line "00-database-utf8" (dictd's mark of a
    // UTF-8 dictionary); without it, entries are Latin-1.
    bool isUtf8() const { return utf8_; }

    // dictd's base64 number, or nothing when it is not one or overflows.
    static std::optional<quint64> decodeNumber(QByteArrayView digits);
    // The key a headword sorts by under these rules.
    static QByteArray sortKey(QByteArrayView headword, bool allChars, bool caseSensitive);

  private:
    struct Line {
        QByteArrayView headword;
        QByteArrayView offset;
        QByteArrayView length;
    };
    // The line that holds byte `at`, from its start, and where the next begins.
    qsizetype lineStart(qsizetype at) const;
    qsizetype lineEnd(qsizetype start) const;
    static std::optional<Line> split(QByteArrayView line);
    QByteArray keyOf(QByteArrayView headword) const;
    void readFlags();

    QByteArrayView bytes_;
    bool allChars_ = false;
    bool caseSensitive_ = false;
    bool utf8_ = false;
};

}  // namespace lectern::platform
