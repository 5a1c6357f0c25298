#include "exercises/practice/LevelMeter.h"

#include <QPainter>
#include <algorithm>

namespace lectern::exercises {

LevelMeter::LevelMeter(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TakeLevelMeter"));
    setAccessibleName(QStringLiteral("Recording level"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(180, 22);
    hide();
}

void LevelMeter::setLevel(double db) {
    db_ = db;
    update();
}

void LevelMeter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 170));
    painter.setBrush(QColor(220, 40, 40));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(6, 6, 10, 10));
    const QRectF track(22, 7, width() - 28, 8);
    painter.fillRect(track, QColor(80, 80, 80));
    const double share = std::clamp((db_ + 60) / 60, 0.0, 1.0);
    painter.fillRect(QRectF(track.left(), track.top(), track.width() * share, track.height()),
                     db_ > -6 ? QColor(230, 90, 40) : QColor(90, 200, 90));
}

}  // namespace lectern::exercises
