#include "platform/widgets/WindowCaption.h"

namespace lectern::platform {

QString WindowCaption::of(const QString& text) {
    QString caption;
    caption.reserve(std::min(text.size(), MaxLength));
    for (qsizetype i = 0; i < text.size() && caption.size() < MaxLength; ++i) {
        const QChar c = text[i];
        if (c.category() == QChar::Other_Control)
            continue;
        if (c.isHighSurrogate()) {
            if (i + 1 < text.size() && text[i + 1].isLowSurrogate() &&
                caption.size() + 2 <= MaxLength) {
                caption += c;
                caption += text[++i];
            } else if (caption.size() + 2 > MaxLength) {
                break;
            }
            continue;
        }
        if (c.isLowSurrogate())
            continue;
        caption += c;
    }
    return caption;
}

}  // namespace lectern::platform
