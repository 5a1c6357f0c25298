#pragma once

#include <QString>

namespace lectern::platform {

// Integers as course files write them: optional leading spaces, an optional
// sign, decimal digits, nothing after. Anything else raises
// "'%s' is not a valid integer value".
int StrToInt(const QString& text);

// Switches: text that reads as a number is true when it is not zero;
// otherwise "True" or "False" in any letter case. Anything else raises
// "'%s' is not a valid boolean value".
bool StrToBool(const QString& text);

// The text form a boolean takes when the document model hands it over.
inline QString BoolToStr(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace lectern::platform
