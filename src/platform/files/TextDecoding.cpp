#include "platform/files/TextDecoding.h"

#include <iconv.h>
#include <uchardet/uchardet.h>

#include <array>
#include <map>

namespace lectern::platform {

TextDecoding::TextDecoding(QByteArray legacyCodePage)
    : legacyCodePage_(std::move(legacyCodePage)) {}

namespace {

bool isAscii(QByteArrayView bytes) {
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    return true;
}

// Calls visit(line, number) for each line of the bytes, without its break;
// a line ends at CR LF, LF or CR.
template <typename Visit>
void forEachLine(const QByteArray& bytes, Visit visit) {
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    int number = 1;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        const qsizetype end = i;
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        visit(QByteArrayView(bytes).sliced(start, end - start),
              QByteArrayView(bytes).sliced(end, i + 1 - end), number++);
        start = i + 1;
    }
    if (start < n)
        visit(QByteArrayView(bytes).sliced(start), QByteArrayView(), number);
}

QString withoutByteOrderMark(QString text) {
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

}  // namespace

QString TextDecoding::decode(const QByteArray& bytes, Report* report) const {
    Report local;
    Report& r = report ? *report : local;
    r = Report();
    if (isValidUtf8(bytes)) {
        if (report)
            forEachLine(bytes, [&](QByteArrayView line, QByteArrayView, int number) {
                if (!r.firstUtf8Line && !isAscii(line))
                    r.firstUtf8Line = number;
            });
        r.form = r.firstUtf8Line ? Report::Utf8 : Report::Ascii;
        return withoutByteOrderMark(QString::fromUtf8(bytes));
    }
    QString text;
    text.reserve(bytes.size());
    forEachLine(bytes, [&](QByteArrayView line, QByteArrayView lineBreak, int number) {
        const QByteArray lineBytes = line.toByteArray();
        if (isAscii(line)) {
            text += QLatin1String(line.data(), line.size());
        } else if (isValidUtf8(lineBytes)) {
            if (!r.firstUtf8Line)
                r.firstUtf8Line = number;
            text += number == 1 ? withoutByteOrderMark(QString::fromUtf8(lineBytes))
                                : QString::fromUtf8(lineBytes);
        } else {
            if (!r.firstLegacyLine)
                r.firstLegacyLine = number;
            const QString decoded = decodeSingleByte(lineBytes, legacyCodePage_);
            if (decoded.contains(QChar(QChar::ReplacementCharacter)))
                r.undefinedByteLines.append(number);
            text += decoded;
        }
        text += QLatin1String(lineBreak.data(), lineBreak.size());
    });
    r.form = r.firstUtf8Line ? Report::Mixed : Report::Legacy;
    return text;
}

bool TextDecoding::isValidUtf8(QByteArrayView bytes) {
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

QByteArray TextDecoding::windowsCodePageFor(const QByteArray& detectedCharset) {
    // Detectors name a script by whichever of its code pages fits the sample
    // best; a course written on Windows uses that script's Windows code page.
    static const std::pair<const char*, const char*> scripts[] = {
        {"WINDOWS-1250", "CP1250"}, {"ISO-8859-2", "CP1250"},   {"MAC-CENTRALEUROPE", "CP1250"},
        {"IBM852", "CP1250"},       {"WINDOWS-1251", "CP1251"}, {"KOI8-R", "CP1251"},
        {"KOI8-U", "CP1251"},       {"ISO-8859-5", "CP1251"},   {"IBM855", "CP1251"},
        {"IBM866", "CP1251"},       {"MAC-CYRILLIC", "CP1251"}, {"WINDOWS-1252", "CP1252"},
        {"WINDOWS-1253", "CP1253"}, {"ISO-8859-7", "CP1253"},   {"WINDOWS-1254", "CP1254"},
        {"ISO-8859-9", "CP1254"},   {"WINDOWS-1255", "CP1255"}, {"ISO-8859-8", "CP1255"},
        {"WINDOWS-1256", "CP1256"}, {"ISO-8859-6", "CP1256"},   {"WINDOWS-1257", "CP1257"},
        {"ISO-8859-13", "CP1257"},  {"ISO-8859-4", "CP1257"},   {"WINDOWS-1258", "CP1258"},
    };
    const QByteArray name = detectedCharset.toUpper();
    for (const auto& [detected, windows] : scripts)
        if (name == detected)
            return windows;
    return "CP1252";
}

QByteArray TextDecoding::detectLegacyCodePage(const QByteArray& sample) {
    if (isAscii(sample))
        return "CP1252";
    uchardet_t detector = uchardet_new();
    if (!detector)
        return "CP1252";
    QByteArray charset;
    if (uchardet_handle_data(detector, sample.constData(), static_cast<size_t>(sample.size())) ==
        0) {
        uchardet_data_end(detector);
        charset = uchardet_get_charset(detector);
    }
    uchardet_delete(detector);
    return windowsCodePageFor(charset);
}

QString TextDecoding::displayName(const QByteArray& codePage) {
    if (codePage.toUpper().startsWith("CP"))
        return QStringLiteral("windows-") + QString::fromLatin1(codePage.mid(2));
    return QString::fromLatin1(codePage);
}

}  // namespace lectern::platform
