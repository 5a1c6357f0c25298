#include "platform/widgets/NoticeOverlay.h"

#include "platform/widgets/Announcer.h"
#include "platform/widgets/TForm.h"

namespace lectern::platform {

NoticeOverlay::NoticeOverlay(TForm& form, const QString& objectName)
    : QLabel(&form), form_(form), shown_(*this, form, ShownMs) {
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(
        QStringLiteral("QLabel { background: rgba(0, 0, 0, 170); color: white; font-size: 22pt; "
                       "padding: 10px 24px; border-radius: 10px; }"));
}

void NoticeOverlay::showNotice(const QString& text) {
    setText(text);
    setAccessibleName(text);
    adjustSize();
    if (band_) {
        const QRect band(band_->mapTo(&form_, QPoint(0, 0)), band_->size());
        move(band.center() - rect().center());
    } else {
        move((form_.width() - width()) / 2, form_.height() / 4);
    }
    shown_.show();
    announce(this, text);
}

}  // namespace lectern::platform
