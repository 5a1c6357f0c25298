#pragma once

#include <QByteArray>
#include <QString>

namespace lectern::platform {

// Course text comes as bytes: valid UTF-8 is UTF-8 (a byte-order mark is
// dropped); anything else is the course's legacy single-byte code page.
class TextDecoding {
  public:
    // The code page name as iconv knows it, e.g. "CP1252" or "CP1251".
    explicit TextDecoding(QByteArray legacyCodePage = "CP1252");

    QString decode(const QByteArray& bytes) const;

    const QByteArray& legacyCodePage() const { return legacyCodePage_; }
    void setLegacyCodePage(QByteArray codePage) { legacyCodePage_ = std::move(codePage); }

    static bool isValidUtf8(const QByteArray& bytes);
    // Decodes with iconv; a byte the code page leaves undefined becomes U+FFFD.
    static QString decodeSingleByte(const QByteArray& bytes, const QByteArray& codePage);

  private:
    QByteArray legacyCodePage_;
};

}  // namespace lectern::platform
