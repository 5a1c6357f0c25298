#include "platform/widgets/TImage.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lectern::platform {
namespace {

// What a screen reader sees of an image: a picture, or, once the image is
// clickable, a button named by its hint whose press action clicks it. Decided
// when asked, since the interface is made (and cached) as soon as the image
// is created.
class ImageAccessible : public QAccessibleWidget {
  public:
    explicit ImageAccessible(TImage* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

    QAccessible::Role role() const override {
        return clickable() ? QAccessible::Button : QAccessible::Graphic;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            // A button without a hint can still be named for screen readers.
            const QString hint = image()->Hint();
            return hint.isEmpty() ? image()->accessibleName() : hint;
        }
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (clickable())
            names << pressAction();
        return names;
    }
    void doAction(const QString& actionName) override {
        if (clickable() && actionName == pressAction())
            image()->click();
        else
            QAccessibleWidget::doAction(actionName);
    }

  private:
    TImage* image() const { return static_cast<TImage*>(widget()); }
    bool clickable() const { return image()->focusPolicy() != Qt::NoFocus; }
};

QAccessibleInterface* imageFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(TImage::staticMetaObject.className()))
        return nullptr;
    return new ImageAccessible(static_cast<TImage*>(object));
}

// The component's rectangle grown to whole device pixels: at a fractional
// screen scale its edges fall inside pixels that belong to it, which the
// picture must cover too, or the window's background shows through as a
// seam between two pictures.
QRectF coveredRect(const QPainter& painter, const QRect& rect) {
    const QTransform& toDevice = painter.deviceTransform();
    if (!toDevice.isScaling() || !toDevice.isInvertible())
        return rect;
    const QRect device = toDevice.mapRect(QRectF(rect)).toAlignedRect();
    return toDevice.inverted().mapRect(QRectF(device));
}

}  // namespace

TImage::TImage(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(imageFactory);
        return true;
    }();
    (void)factoryInstalled;
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

void TImage::SetPictureScale(double scale) {
    if (scale == pictureScale_)
        return;
    pictureScale_ = scale;
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
        // Pictures are drawn enlarged on screens scaled up and reduced with a
        // skin scaled down: smoothly, as the page's own pictures are.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (stretch_)
            painter.drawImage(coveredRect(painter, rect()), picture_);
        else
            painter.drawImage(QRectF(QPointF(0, 0), QSizeF(picture_.size()) * pictureScale_),
                              picture_);
    }
    // A clickable image is usually transparent over its lit holder; the
    // keyboard focus shows as a dotted frame that reads on any picture. As
    // with native buttons, the frame appears once the keyboard is in use.
    if (hasFocus() && keyboardFocus_ && width() > 4 && height() > 4) {
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

void TImage::leaveEvent(QEvent* event) {
    emit mouseLeft();
    QWidget::leaveEvent(event);
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void TImage::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = event->reason() == Qt::TabFocusReason ||
                     event->reason() == Qt::BacktabFocusReason ||
                     event->reason() == Qt::ShortcutFocusReason;
    QWidget::focusInEvent(event);
}

void TImage::keyPressEvent(QKeyEvent* event) {
    if (!keyboardFocus_) {
        keyboardFocus_ = true;
        update();
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        // A held key clicks once: its repeats would otherwise act as a stream
        // of clicks (and restart whatever the button starts).
        if (!event->isAutoRepeat())
            emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace lectern::platform
