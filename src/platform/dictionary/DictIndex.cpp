#include "platform/dictionary/DictIndex.h"

#include <QString>

namespace lectern::platform {

namespace {

int digitOf(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// The flags a dictd index states in lines of its own, near its start in
// either order.
constexpr int flagLines = 64;

}  // namespace

DictIndex::DictIndex(QByteArrayView bytes) : bytes_(bytes) {
    readFlags();
}

std::optional<quint64> DictIndex::decodeNumber(QByteArrayView digits) {
    // Ten digits are 60 bits; no dictionary file comes near that.
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    quint64 value = 0;
    for (const char c : digits) {
        const int digit = digitOf(c);
        if (digit < 0)
            return std::nullopt;
        value = (value << 6) | quint64(digit);
    }
    return value;
}

QByteArray DictIndex::sortKey(QByteArrayView headword, bool allChars, bool caseSensitive) {
    const QString text = QString::fromUtf8(headword);
    QString key;
    key.reserve(text.size());
    for (const QChar c : text) {
        if (!allChars && !c.isLetterOrNumber() && !c.isSpace() && !c.isSurrogate())
            continue;
        key.append(caseSensitive ? c : c.toLower());
    }
    return key.toUtf8();
}

QByteArray DictIndex::keyOf(QByteArrayView headword) const {
    return sortKey(headword, allChars_, caseSensitive_);
}

qsizetype DictIndex::lineStart(qsizetype at) const {
    while (at > 0 && bytes_[at - 1] != '\n')
        --at;
    return at;
}

qsizetype DictIndex::lineEnd(qsizetype start) const {
    const qsizetype end = bytes_.indexOf('\n', start);
    return end < 0 ? bytes_.size() : end;
}

std::optional<DictIndex::Line> DictIndex::split(QByteArrayView line) {
    if (line.endsWith('\r'))
        line.chop(1);
    const qsizetype first = line.indexOf('\t');
    if (first < 0)
        return std::nullopt;
    const qsizetype second = line.indexOf('\t', first + 1);
    if (second < 0)
        return std::nullopt;
    // A fourth field (dictd's original headword) may follow.
    qsizetype third = line.indexOf('\t', second + 1);
    if (third < 0)
        third = line.size();
    return Line{line.first(first), line.sliced(first + 1, second - first - 1),
                line.sliced(second + 1, third - second - 1)};
}

void DictIndex::readFlags() {
    qsizetype start = 0;
    for (int n = 0; n < flagLines && start < bytes_.size(); ++n) {
        const qsizetype end = lineEnd(start);
        const auto line = split(bytes_.sliced(start, end - start));
        if (line) {
            QByteArray name = line->headword.toByteArray().toLower();
            name.replace('-', QByteArray());
            if (name == "00databaseallchars")
                allChars_ = true;
            else if (name == "00databasecasesensitive")
                caseSensitive_ = true;
            else if (name == "00databaseutf8")
                utf8_ = true;
        }
        start = end + 1;
    }
}

std::vector<DictIndex::Location> DictIndex::find(const QString& word, int limit) const {
    std::vector<Location> found;
    const QByteArray target = keyOf(word.toUtf8());
    if (target.isEmpty())
        return found;
    auto headwordOf = [this](qsizetype start, qsizetype end) {
        QByteArrayView line = bytes_.sliced(start, end - start);
        const qsizetype tab = line.indexOf('\t');
        return tab < 0 ? line : line.first(tab);
    };
    // The first line whose key is not below the word's.
    qsizetype low = 0;
    qsizetype high = bytes_.size();
    while (low < high) {
        const qsizetype start = lineStart(low + (high - low) / 2);
        const qsizetype end = lineEnd(start);
        if (keyOf(headwordOf(start, end)) < target)
            low = end + 1;
        else
            high = start;
    }
    for (qsizetype start = low; start < bytes_.size() && int(found.size()) < limit;) {
        const qsizetype end = lineEnd(start);
        if (keyOf(headwordOf(start, end)) != target)
            break;
        if (const auto line = split(bytes_.sliced(start, end - start))) {
            const auto offset = decodeNumber(line->offset);
            const auto length = decodeNumber(line->length);
            if (offset && length)
                found.push_back({*offset, *length});
        }
        start = end + 1;
    }
    return found;
}

}  // namespace lectern::platform
