#include "platform/widgets/ShownForAWhile.h"

#include "platform/widgets/TForm.h"

#include <QTimer>
#include <QWidget>

namespace lectern::platform {

ShownForAWhile::ShownForAWhile(QWidget& widget, TForm& form, int ms) : widget_(widget) {
    widget.setAttribute(Qt::WA_TransparentForMouseEvents);
    widget.setFocusPolicy(Qt::NoFocus);
    widget.hide();
    hide_ = new QTimer(&widget);
    hide_->setSingleShot(true);
    hide_->setInterval(ms);
    form.bindTimer(hide_, [&widget] { widget.hide(); });
}

void ShownForAWhile::show() {
    widget_.show();
    widget_.raise();
    hide_->start();
}

}  // namespace lectern::platform
