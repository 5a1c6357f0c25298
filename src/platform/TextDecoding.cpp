#include "platform/TextDecoding.h"

#include <iconv.h>

#include <array>
#include <map>

namespace lectern::platform {

TextDecoding::TextDecoding(QByteArray legacyCodePage) : legacyCodePage_(std::move(legacyCodePage)) {}

QString TextDecoding::decode(const QByteArray& bytes) const {
    if (isValidUtf8(bytes)) {
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    return decodeSingleByte(bytes, legacyCodePage_);
}

bool TextDecoding::isValidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        int trailing;
        char32_t min;
        char32_t cp;
        if ((lead & 0xE0) == 0xC0) {
            trailing = 1, min = 0x80, cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            trailing = 2, min = 0x800, cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            trailing = 3, min = 0x10000, cp = lead & 0x07;
        } else {
            return false;
        }
        if (end - p < trailing)
            return false;
        for (int i = 0; i < trailing; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        p += trailing;
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
    }
    return true;
}

namespace {

using ByteTable = std::array<char16_t, 256>;

// What each byte of a single-byte code page means, asked of iconv once.
ByteTable buildTable(const QByteArray& codePage) {
    ByteTable table;
    iconv_t cd = iconv_open("UTF-16LE", codePage.constData());
    for (int b = 0; b < 256; ++b) {
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            table[b] = static_cast<char16_t>(b);
            continue;
        }
        char in = static_cast<char>(b);
        char* inPtr = &in;
        size_t inLeft = 1;
        char16_t unit[2] = {};
        char* outPtr = reinterpret_cast<char*>(unit);
        size_t outLeft = sizeof unit;
        const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
                        outLeft == sizeof unit - sizeof(char16_t);
        table[b] = ok ? unit[0] : char16_t(QChar::ReplacementCharacter);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    if (cd != reinterpret_cast<iconv_t>(-1))
        iconv_close(cd);
    return table;
}

const ByteTable& tableFor(const QByteArray& codePage) {
    static std::map<QByteArray, ByteTable> tables;
    auto it = tables.find(codePage);
    if (it == tables.end())
        it = tables.emplace(codePage, buildTable(codePage)).first;
    return it->second;
}

}  // namespace

QString TextDecoding::decodeSingleByte(const QByteArray& bytes, const QByteArray& codePage) {
    const ByteTable& table = tableFor(codePage);
    QString result(bytes.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (const char byte : bytes)
        *out++ = QChar(table[static_cast<unsigned char>(byte)]);
    return result;
}

}  // namespace lectern::platform
