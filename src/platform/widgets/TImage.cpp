#include "platform/widgets/TImage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lectern::platform {

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
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void TImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_)
        painter.drawImage(rect(), picture_);
    else
        painter.drawImage(QPoint(0, 0), picture_);
    if (hasFocus()) {
        QPen pen(palette().highlight(), 2, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
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
