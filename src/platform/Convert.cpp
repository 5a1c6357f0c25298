#include "platform/Convert.h"

#include "platform/Error.h"

#include <limits>
#include <optional>

namespace lectern::platform {
namespace {

std::optional<int> parseInteger(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == n)
        return std::nullopt;
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<double> parseNumber(const QString& text) {
    if (const auto integer = parseInteger(text))
        return *integer;
    // Like integers, a number may have leading blanks but nothing after it.
    if (text.isEmpty() || text.back().isSpace())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

int StrToInt(const QString& text) {
    if (const auto value = parseInteger(text))
        return *value;
    throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

bool StrToBool(const QString& text) {
    if (const auto number = parseNumber(text))
        return *number != 0;
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    throw Error(QStringLiteral("'%1' is not a valid boolean value").arg(text));
}

}  // namespace lectern::platform
