#include "platform/widgets/NoticeOverlay.h"

#include "platform/widgets/Announcer.h"
#include "platform/widgets/TForm.h"

#include <QTimer>

namespace lectern::platform {

NoticeOverlay::NoticeOverlay(TForm& form, const QString& objectName) : QLabel(&form), form_(form) {
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(
        QStringLiteral("QLabel { background: rgba(0, 0, 0, 170); color: white; font-size: 22pt; "
                       "padding: 10px 24px; border-radius: 10px; }"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    hide_ = new QTimer(this);
    hide_->setSingleShot(true);
    hide_->setInterval(ShownMs);
    form.bindTimer(hide_, [this] { hide(); });
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
    show();
    raise();
    hide_->start();
    announce(this, text);
}

}  // namespace lectern::platform
