#include "support/Cp1251.h"

#include <stdexcept>

namespace lectern::test {

QByteArray cp1251(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            out += static_cast<char>(u);
        else if (u >= 0x410 && u <= 0x44F)
            out += static_cast<char>(0xC0 + (u - 0x410));
        else if (u == 0x401)
            out += '\xA8';
        else if (u == 0x451)
            out += '\xB8';
        else
            throw std::invalid_argument("no Windows-1251 byte for a character");
    }
    return out;
}

}  // namespace lectern::test
