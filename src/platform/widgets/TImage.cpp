#include "platform/widgets/TImage.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lectern::platform {
namespace {

// What a screen reader sees of a clickable image: a button named by its
// hint, with a press action that clicks it.
class ClickableImageAccessible : public QAccessibleWidget {
  public:
    explicit ClickableImageAccessible(TImage* image)
        : QAccessibleWidget(image, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<TImage*>(widget())->Hint();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction();
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            static_cast<TImage*>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* clickableImageFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(TImage::staticMetaObject.className()))
        return nullptr;
    auto* image = static_cast<TImage*>(object);
    if (image->focusPolicy() == Qt::NoFocus)
        return nullptr;
    return new ClickableImageAccessible(image);
}

}  // namespace

TImage::TImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void TImage::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void TImage::SetHint(const QString& hint) {
    setToolTip(hint);
    setAccessibleName(hint);
}

void TImage::SetBounds(int width, int height, int top, int left) {
    setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void TImage::MakeClickable() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(clickableImageFactory);
        return true;
    }();
    (void)factoryInstalled;
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void TImage::click() {
    emit clicked();
}

void TImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) {
        if (stretch_)
            painter.drawImage(rect(), picture_);
        else
            painter.drawImage(QPoint(0, 0), picture_);
    }
    // A clickable image is usually transparent over its lit holder; the
    // keyboard focus shows as a dotted frame that reads on any picture.
    if (hasFocus() && width() > 4 && height() > 4) {
        const QRect frame = rect().adjusted(1, 1, -2, -2);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::black, 2, Qt::DotLine));
        painter.drawRect(frame);
    }
}

void TImage::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    QWidget::mouseMoveEvent(event);
}

void TImage::enterEvent(QEnterEvent* event) {
    emit mouseMoved();
    QWidget::enterEvent(event);
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void TImage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace lectern::platform
