#include "demo/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

namespace lectern::demo {

namespace {

QColor baseColour(Artwork::Body body) {
    switch (body) {
        case Artwork::Body::Sun:
            return QColor("#ffb21e");
        case Artwork::Body::Mercury:
            return QColor("#9b948c");
        case Artwork::Body::Venus:
            return QColor("#e3c07e");
        case Artwork::Body::Earth:
            return QColor("#2f6fd0");
        case Artwork::Body::Mars:
            return QColor("#c4532a");
        case Artwork::Body::Jupiter:
            return QColor("#d6ad7f");
        case Artwork::Body::Saturn:
            return QColor("#e2c98f");
        case Artwork::Body::Uranus:
            return QColor("#94dde2");
        case Artwork::Body::Neptune:
            return QColor("#3b5bd1");
    }
    return Qt::gray;
}

void drawSun(QPainter& p, const QPointF& c, qreal r) {
    QRadialGradient glow(c, r * 1.8);
    glow.setColorAt(0.0, QColor(255, 214, 110, 200));
    glow.setColorAt(0.55, QColor(255, 170, 40, 90));
    glow.setColorAt(1.0, QColor(255, 150, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, r * 1.8, r * 1.8);
    QRadialGradient disc(c, r, c - QPointF(r * 0.3, r * 0.3));
    disc.setColorAt(0.0, QColor("#fff6c8"));
    disc.setColorAt(0.5, QColor("#ffd24a"));
    disc.setColorAt(1.0, QColor("#f08a12"));
    p.setBrush(disc);
    p.drawEllipse(c, r, r);
}

void drawRing(QPainter& p, const QPointF& c, qreal r, bool front) {
    const QRectF outer(c.x() - r * 2.1, c.y() - r * 0.55, r * 4.2, r * 1.1);
    QPen pen(QColor(235, 214, 160, 220), r * 0.28);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The front half passes below the planet's centre.
    p.drawArc(outer, front ? 180 * 16 : 0, 180 * 16);
    pen.setColor(QColor(190, 160, 110, 200));
    pen.setWidthF(r * 0.1);
    p.setPen(pen);
    p.drawArc(outer.adjusted(r * 0.35, r * 0.1, -r * 0.35, -r * 0.1), front ? 180 * 16 : 0,
              180 * 16);
}

void drawSurface(QPainter& p, Artwork::Body body, const QPointF& c, qreal r) {
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    p.save();
    p.setClipPath(disc);
    p.setPen(Qt::NoPen);
    if (body == Artwork::Body::Jupiter || body == Artwork::Body::Saturn) {
        const QColor band =
            body == Artwork::Body::Jupiter ? QColor(150, 95, 60, 110) : QColor(170, 140, 90, 70);
        for (qreal y = -0.7; y < 0.8; y += 0.32) {
            p.setBrush(band);
            p.drawRect(QRectF(c.x() - r, c.y() + y * r, 2 * r, r * 0.13));
        }
        if (body == Artwork::Body::Jupiter) {
            p.setBrush(QColor(200, 80, 50, 190));
            p.drawEllipse(QPointF(c.x() + r * 0.3, c.y() + r * 0.32), r * 0.22, r * 0.12);
        }
    } else if (body == Artwork::Body::Earth) {
        p.setBrush(QColor(70, 150, 80, 220));
        p.drawEllipse(QPointF(c.x() - r * 0.35, c.y() - r * 0.2), r * 0.35, r * 0.45);
        p.drawEllipse(QPointF(c.x() + r * 0.4, c.y() + r * 0.3), r * 0.3, r * 0.25);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(QPointF(c.x() + r * 0.1, c.y() - r * 0.55), r * 0.5, r * 0.1);
    } else if (body == Artwork::Body::Mars) {
        p.setBrush(QColor(120, 40, 20, 90));
        p.drawEllipse(QPointF(c.x() + r * 0.2, c.y() + r * 0.1), r * 0.4, r * 0.25);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(c.x(), c.y() - r * 0.95), r * 0.3, r * 0.12);
    }
    // Shade the night side.
    QRadialGradient shade(c - QPointF(r * 0.45, r * 0.45), r * 2.0);
    shade.setColorAt(0.0, QColor(255, 255, 255, 90));
    shade.setColorAt(0.35, QColor(0, 0, 0, 0));
    shade.setColorAt(0.85, QColor(0, 0, 20, 170));
    p.setBrush(shade);
    p.drawEllipse(c, r, r);
    p.restore();
}

}  // namespace

void Artwork::drawStars(QPainter& p, const QRect& area, int count, quint32 seed,
                        const QColor& colour) {
    QRandomGenerator random(seed);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(area.left() + random.bounded(area.width()),
                         area.top() + random.bounded(area.height()));
        QColor c = colour;
        c.setAlpha(60 + random.bounded(196));
        p.setBrush(c);
        const qreal size = random.bounded(100) < 8 ? 1.6 : 0.8;
        p.drawEllipse(at, size, size);
    }
    p.restore();
}

void Artwork::drawBody(QPainter& p, Body body, const QPointF& c, qreal r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (body == Body::Sun) {
        drawSun(p, c, r);
        p.restore();
        return;
    }
    if (body == Body::Saturn) {
        drawRing(p, c, r, false);
    }
    const QColor base = baseColour(body);
    QRadialGradient sphere(c, r, c - QPointF(r * 0.4, r * 0.4));
    sphere.setColorAt(0.0, base.lighter(135));
    sphere.setColorAt(0.7, base);
    sphere.setColorAt(1.0, base.darker(160));
    p.setPen(Qt::NoPen);
    p.setBrush(sphere);
    p.drawEllipse(c, r, r);
    drawSurface(p, body, c, r);
    if (body == Body::Saturn) {
        drawRing(p, c, r, true);
    }
    p.restore();
}

QImage Artwork::splash(const QSize& size, const QString& title, const QString& subtitle) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0.0, QColor("#0a0f2b"));
    sky.setColorAt(0.6, QColor("#18204f"));
    sky.setColorAt(1.0, QColor("#2d1d52"));
    p.fillRect(image.rect(), sky);
    drawStars(p, image.rect(), 260, 7, QColor(230, 236, 255));

    // Orbits around the Sun, which rises at the left edge.
    const QPointF sun(-60, size.height() * 0.42);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(160, 180, 255, 45), 1));
    const qreal distances[] = {150, 200, 250, 305, 375, 445, 510, 575};
    for (qreal d : distances) {
        p.drawEllipse(sun, d + 60, (d + 60) * 0.34);
    }
    drawBody(p, Body::Sun, sun, 150);
    const Body planets[] = {Body::Mercury, Body::Venus,  Body::Earth,  Body::Mars,
                            Body::Jupiter, Body::Saturn, Body::Uranus, Body::Neptune};
    const qreal radii[] = {5, 9, 10, 7, 24, 19, 13, 13};
    for (int i = 0; i < 8; ++i) {
        const qreal x = sun.x() + distances[i] + 60;
        drawBody(p, planets[i], QPointF(x, sun.y()), radii[i]);
    }

    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(31);
    p.setFont(font);
    const QRect titleBox(0, int(size.height() * 0.66), size.width(), 44);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(titleBox.translated(2, 2), Qt::AlignCenter, title);
    p.setPen(QColor("#fff3d6"));
    p.drawText(titleBox, Qt::AlignCenter, title);
    font.setBold(false);
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(QColor("#c4cff5"));
    p.drawText(titleBox.translated(0, 42), Qt::AlignCenter, subtitle);
    font.setPixelSize(12);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(QColor("#f5c451"));
    p.drawText(QRect(0, size.height() - 30, size.width() - 16, 22),
               Qt::AlignRight | Qt::AlignVCenter, "Click the picture to begin");
    return image;
}

QImage Artwork::illustration(const QSize& size, const QList<Body>& bodies) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor("#0b1130"));
    sky.setColorAt(1.0, QColor("#23194a"));
    p.fillRect(image.rect(), sky);
    drawStars(p, image.rect(), size.width() * size.height() / 400, 11 + bodies.size(),
              QColor(230, 236, 255));
    const int n = qMax(1, int(bodies.size()));
    const qreal slot = qreal(size.width()) / n;
    for (int i = 0; i < bodies.size(); ++i) {
        qreal r = qMin(slot, qreal(size.height())) * 0.32;
        if (bodies[i] == Body::Saturn) {
            r *= 0.8;  // leaves room for the rings
        }
        drawBody(p, bodies[i], QPointF(slot * (i + 0.5), size.height() / 2.0), r);
    }
    return image;
}

}  // namespace lectern::demo
