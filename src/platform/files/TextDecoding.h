#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace lectern::platform {

// Course text comes as bytes: valid UTF-8 is UTF-8 (a byte-order mark is
// dropped); anything else is the course's legacy single-byte code page. A
// file whose lines were pasted together from both is decoded line by line,
// each line in the form it is valid in.
class TextDecoding {
  public:
    // The code page name as iconv knows it, e.g. "CP1252" or "CP1251".
    explicit TextDecoding(QByteArray legacyCodePage = "CP1252");

    // How a text was read, for the course checker.
    struct Report {
        enum Form { Ascii, Utf8, Legacy, Mixed };
        Form form = Ascii;
        int firstUtf8Line = 0;  // line numbers from 1; 0 for none
        int firstLegacyLine = 0;
        // Lines holding bytes that the legacy code page leaves undefined.
        QList<int> undefinedByteLines;
    };

    QString decode(const QByteArray& bytes, Report* report = nullptr) const;

    const QByteArray& legacyCodePage() const { return legacyCodePage_; }
    void setLegacyCodePage(QByteArray codePage) { legacyCodePage_ = std::move(codePage); }

    static bool isValidUtf8(QByteArrayView bytes);
    // Decodes with iconv; a byte the code page leaves undefined becomes U+FFFD.
    static QString decodeSingleByte(const QByteArray& bytes, const QByteArray& codePage);

    // The Windows code page (CP1250 to CP1258) that legacy text of a course
    // is most likely in, told by the character set detector from a sample
    // of it; CP1252 when the detector is unsure or names no such code page.
    static QByteArray detectLegacyCodePage(const QByteArray& sample);
    // The Windows code page of a script the detector names, or CP1252.
    static QByteArray windowsCodePageFor(const QByteArray& detectedCharset);
    // A course checker's name for a code page: "windows-1251".
    static QString displayName(const QByteArray& codePage);

  private:
    QByteArray legacyCodePage_;
};

}  // namespace lectern::platform
