#include "platform/desktop/Dialogs.h"

namespace lectern::platform {

QString withFullStop(const QString& text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

}  // namespace lectern::platform
