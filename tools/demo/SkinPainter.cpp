#include "demo/SkinPainter.h"

#include "demo/Artwork.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace lectern::demo {

namespace {

constexpr qreal kRadius = 12;
const QColor kSeam("#f2b33d");
const QColor kNavy("#1d3357");

void setLabelFont(QPainter& p) {
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(12);
    p.setFont(font);
}

}  // namespace

QImage SkinPainter::bar(const QSize& size, Bar side) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(side == Bar::Top ? 0.0 : 1.0, QColor("#f7f9fd"));
    fill.setColorAt(side == Bar::Top ? 1.0 : 0.0, QColor("#d9e3f2"));
    p.fillRect(image.rect(), fill);
    // A golden seam along the edge that meets the window's content.
    const int seamY = side == Bar::Top ? size.height() - 3 : 0;
    p.fillRect(QRect(0, seamY, size.width(), 3), kSeam);
    p.fillRect(QRect(0, side == Bar::Top ? seamY - 1 : 3, size.width(), 1), QColor("#b7c6de"));
    return image;
}

QImage SkinPainter::edge(const QSize& size, bool left) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient fill(0, 0, size.width(), 0);
    fill.setColorAt(left ? 0.0 : 1.0, QColor("#cfdbee"));
    fill.setColorAt(left ? 1.0 : 0.0, QColor("#eef3fa"));
    p.fillRect(image.rect(), fill);
    const int innerX = left ? size.width() - 2 : 0;
    p.fillRect(QRect(innerX, 0, 2, size.height()), QColor("#b7c6de"));
    // A faint column of dots, like a dotted orbit.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 172, 210, 120));
    const qreal x = size.width() * 0.45;
    for (int y = 12; y < size.height(); y += 18) {
        p.drawEllipse(QPointF(x, y), 1.4, 1.4);
    }
    return image;
}

void SkinPainter::paintButton(QPainter& p, const QRect& box, Icon icon, const QString& label,
                              bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF face = QRectF(box).adjusted(4.5, 4.5, -4.5, -4.5);
    if (lit) {
        // A soft amber halo around the face.
        for (int i = 4; i >= 1; --i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 190, 60, 40));
            p.drawRoundedRect(face.adjusted(-i, -i, i, i), kRadius + i, kRadius + i);
        }
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 40, 80, 45));
        p.drawRoundedRect(face.translated(0, 2), kRadius, kRadius);
    }
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0.0, lit ? QColor("#ffe59a") : QColor("#3a62a8"));
    fill.setColorAt(1.0, lit ? QColor("#f5a524") : QColor("#1d3a6e"));
    p.setPen(QPen(lit ? QColor("#c9821a") : QColor("#16305c"), 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, kRadius, kRadius);
    // A gloss line under the top edge.
    p.setPen(QPen(QColor(255, 255, 255, lit ? 170 : 70), 1));
    p.drawLine(QPointF(face.left() + kRadius, face.top() + 1.5),
               QPointF(face.right() - kRadius, face.top() + 1.5));

    const QColor ink = lit ? kNavy : QColor("#f4f7ff");
    const qreal iconSize = 20;
    drawIcon(p, icon, QRectF(face.center().x() - iconSize / 2, face.top() + 5, iconSize, iconSize),
             ink);
    setLabelFont(p);
    p.setPen(ink);
    p.drawText(QRectF(face.left(), face.top() + 26, face.width(), face.height() - 28),
               Qt::AlignHCenter | Qt::AlignVCenter, label);
    p.restore();
}

QImage SkinPainter::litButton(const QImage& background, const QRect& box, Icon icon,
                              const QString& label) {
    QImage canvas = background.copy();
    {
        QPainter p(&canvas);
        paintButton(p, box, icon, label, true);
    }
    return canvas.copy(box);
}

void SkinPainter::paintTitle(QPainter& p, const QRect& area, const QString& title,
                             const QString& subtitle) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QPointF sun(area.left() + 34, area.center().y());
    p.setPen(QPen(QColor(29, 51, 87, 90), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(sun, 27, 11);
    Artwork::drawBody(p, Artwork::Body::Sun, sun, 11);
    Artwork::drawBody(p, Artwork::Body::Earth, sun + QPointF(24, 5), 4.5);
    const QRect text(area.left() + 70, area.top(), area.width() - 70, area.height());
    QFont font("DejaVu Sans");
    font.setBold(true);
    // The largest size up to 17 px at which the title fits its space.
    for (int size = 17; size > 9; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(title) <= text.width()) {
            break;
        }
    }
    p.setFont(font);
    p.setPen(kNavy);
    p.drawText(text.adjusted(0, 0, 0, -area.height() / 2 + 6), Qt::AlignLeft | Qt::AlignBottom,
               title);
    font.setBold(false);
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(QColor("#5a6b86"));
    p.drawText(text.adjusted(0, area.height() / 2 + 10, 0, 0), Qt::AlignLeft | Qt::AlignTop,
               subtitle);
    p.restore();
}

void SkinPainter::paintPlanetRow(QPainter& p, const QRect& area) {
    const Artwork::Body bodies[] = {Artwork::Body::Mercury, Artwork::Body::Venus,
                                    Artwork::Body::Earth,   Artwork::Body::Mars,
                                    Artwork::Body::Jupiter, Artwork::Body::Saturn,
                                    Artwork::Body::Uranus,  Artwork::Body::Neptune};
    const qreal radii[] = {4, 6, 6.5, 5, 13, 10, 8, 8};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal y = area.center().y();
    p.setPen(QPen(QColor(29, 51, 87, 60), 1, Qt::DashLine));
    p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    const qreal step = area.width() / 8.5;
    for (int i = 0; i < 8; ++i) {
        Artwork::drawBody(p, bodies[i], QPointF(area.left() + step * (i + 0.6), y), radii[i]);
    }
    p.restore();
}

void SkinPainter::paintFooter(QPainter& p, const QRect& area, const QString& text) {
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(QColor("#4a5b78"));
    p.drawText(area, Qt::AlignCenter, text);
    p.restore();
}

}  // namespace lectern::demo
