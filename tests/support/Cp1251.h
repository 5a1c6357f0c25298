#pragma once

#include <QByteArray>
#include <QString>

namespace lectern::test {

// Russian text as a course made on Windows stores it, in Windows-1251:
// ASCII, А-я and Ё/ё; any other character is refused.
QByteArray cp1251(const QString& text);

}  // namespace lectern::test
