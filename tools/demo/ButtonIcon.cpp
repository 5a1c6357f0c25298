#include "demo/ButtonIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace lectern::demo {

namespace {

QPainterPath triangle(const QRectF& b) {
    QPainterPath path;
    path.moveTo(b.left() + b.width() * 0.22, b.top());
    path.lineTo(b.right(), b.center().y());
    path.lineTo(b.left() + b.width() * 0.22, b.bottom());
    path.closeSubpath();
    return path;
}

// A unit's edge: a bracket beside a small play mark, "[>" for the first
// passage of the unit and ">]" for the last.
void bracket(QPainter& p, const QRectF& b, bool opening) {
    const qreal x = opening ? b.left() + b.width() * 0.12 : b.right() - b.width() * 0.12;
    const qreal arm = opening ? b.width() * 0.2 : -b.width() * 0.2;
    QPainterPath path;
    path.moveTo(x + arm, b.top());
    path.lineTo(x, b.top());
    path.lineTo(x, b.bottom());
    path.lineTo(x + arm, b.bottom());
    p.drawPath(path);
    const qreal left = opening ? b.left() + b.width() * 0.42 : b.left() + b.width() * 0.05;
    const QColor colour = p.pen().color();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(
        triangle(QRectF(left, b.top() + b.height() * 0.2, b.width() * 0.5, b.height() * 0.6)));
    p.restore();
}

void textGlyph(QPainter& p, const QRectF& b, const QString& glyph) {
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(int(b.height() * 0.72));
    p.setFont(font);
    p.drawText(b, Qt::AlignCenter, glyph);
}

}  // namespace

void drawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, qMax<qreal>(2.0, box.width() / 10.0), Qt::SolidLine, Qt::RoundCap,
             Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF b = box.adjusted(2, 2, -2, -2);
    switch (icon) {
        case Icon::Book: {
            const qreal mid = b.center().x();
            QPainterPath left, right;
            left.moveTo(mid, b.top() + b.height() * 0.18);
            left.quadTo(b.left() + b.width() * 0.2, b.top(), b.left(), b.top() + b.height() * 0.12);
            left.lineTo(b.left(), b.bottom() - b.height() * 0.05);
            left.quadTo(b.left() + b.width() * 0.2, b.bottom() - b.height() * 0.18, mid,
                        b.bottom());
            right.moveTo(mid, b.top() + b.height() * 0.18);
            right.quadTo(b.right() - b.width() * 0.2, b.top(), b.right(),
                         b.top() + b.height() * 0.12);
            right.lineTo(b.right(), b.bottom() - b.height() * 0.05);
            right.quadTo(b.right() - b.width() * 0.2, b.bottom() - b.height() * 0.18, mid,
                         b.bottom());
            p.drawPath(left);
            p.drawPath(right);
            p.drawLine(QPointF(mid, b.top() + b.height() * 0.18), QPointF(mid, b.bottom()));
            break;
        }
        case Icon::Run: {
            p.drawEllipse(b);
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPath(triangle(b.adjusted(b.width() * 0.3, b.height() * 0.27, -b.width() * 0.22,
                                           -b.height() * 0.27)));
            break;
        }
        case Icon::Help:
            p.drawEllipse(b);
            textGlyph(p, b, "?");
            break;
        case Icon::About:
            p.drawEllipse(b);
            textGlyph(p, b, "i");
            break;
        case Icon::Exit: {
            // A door frame with an arrow leaving it.
            const qreal x = b.left() + b.width() * 0.45;
            QPainterPath door;
            door.moveTo(x, b.top());
            door.lineTo(b.left(), b.top());
            door.lineTo(b.left(), b.bottom());
            door.lineTo(x, b.bottom());
            p.drawPath(door);
            const qreal y = b.center().y();
            p.drawLine(QPointF(b.left() + b.width() * 0.3, y), QPointF(b.right(), y));
            p.drawLine(QPointF(b.right(), y),
                       QPointF(b.right() - b.width() * 0.25, y - b.height() * 0.25));
            p.drawLine(QPointF(b.right(), y),
                       QPointF(b.right() - b.width() * 0.25, y + b.height() * 0.25));
            break;
        }
        case Icon::Home: {
            QPainterPath roof;
            roof.moveTo(b.left(), b.top() + b.height() * 0.45);
            roof.lineTo(b.center().x(), b.top());
            roof.lineTo(b.right(), b.top() + b.height() * 0.45);
            p.drawPath(roof);
            p.drawRect(QRectF(b.left() + b.width() * 0.18, b.top() + b.height() * 0.42,
                              b.width() * 0.64, b.height() * 0.58));
            break;
        }
        case Icon::Play:
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPath(triangle(b.adjusted(b.width() * 0.08, 0, -b.width() * 0.05, 0)));
            break;
        case Icon::Pause: {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            const qreal w = b.width() * 0.28;
            p.drawRoundedRect(QRectF(b.left() + b.width() * 0.14, b.top(), w, b.height()), 2, 2);
            p.drawRoundedRect(QRectF(b.right() - b.width() * 0.14 - w, b.top(), w, b.height()), 2,
                              2);
            break;
        }
        case Icon::Stop:
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawRoundedRect(b.adjusted(b.width() * 0.08, b.height() * 0.08, -b.width() * 0.08,
                                         -b.height() * 0.08),
                              3, 3);
            break;
        case Icon::BeginUnit:
            bracket(p, b, true);
            break;
        case Icon::EndUnit:
            bracket(p, b, false);
            break;
        case Icon::Cycle: {
            const QRectF ring = b.adjusted(b.width() * 0.08, b.height() * 0.08, -b.width() * 0.08,
                                           -b.height() * 0.08);
            p.drawArc(ring, 100 * 16, 290 * 16);
            // Arrow head at the open end of the ring.
            const QPointF tip(ring.center().x() + ring.width() / 2 * 0.17,
                              ring.top() - ring.height() * 0.02);
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            QPainterPath head;
            head.moveTo(tip + QPointF(b.width() * 0.22, 0));
            head.lineTo(tip + QPointF(-b.width() * 0.05, -b.height() * 0.2));
            head.lineTo(tip + QPointF(-b.width() * 0.05, b.height() * 0.2));
            head.closeSubpath();
            p.drawPath(head);
            break;
        }
    }
    p.restore();
}

}  // namespace lectern::demo
