#include "platform/dictionary/PageLanguage.h"

#include "platform/Error.h"
#include "platform/browser/Variant.h"

#include <algorithm>

namespace lectern::platform {

namespace {

// A page's head holds a few of these; a page with more is not asked further.
constexpr int mostMetas = 64;
constexpr qsizetype longestTag = 35;

}  // namespace

QString pageLanguage(const Variant& document) {
    if (!document.isObject())
        return {};
    try {
        const Variant root =
            document.call(QStringLiteral("getElementsByTagName"), QStringLiteral("html"))
                .get(QStringLiteral("0"));
        if (root.isObject()) {
            const QString lang = root.call(QStringLiteral("getAttribute"), QStringLiteral("lang"))
                                     .toString()
                                     .trimmed();
            if (!lang.isEmpty())
                return lang.left(longestTag);
        }
        const Variant metas =
            document.call(QStringLiteral("getElementsByTagName"), QStringLiteral("meta"));
        const int count = std::min(metas.get(QStringLiteral("length")).toInt(), mostMetas);
        for (int i = 0; i < count; ++i) {
            const Variant meta = metas.get(QString::number(i));
            const QString equiv =
                meta.call(QStringLiteral("getAttribute"), QStringLiteral("http-equiv")).toString();
            if (equiv.trimmed().compare(QLatin1String("content-language"), Qt::CaseInsensitive))
                continue;
            const QString content =
                meta.call(QStringLiteral("getAttribute"), QStringLiteral("content")).toString();
            return content.section(QLatin1Char(','), 0, 0).trimmed().left(longestTag);
        }
    } catch (const Error&) {
    }
    return {};
}

}  // namespace lectern::platform
