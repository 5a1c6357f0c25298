#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>

class QPainter;

namespace lectern::demo {

// The pictures of the course's theme: the Sun, the planets and a starry sky.
// Everything is drawn from fixed seeds, so the course comes out the same on
// every build.
class Artwork {
  public:
    enum class Body { Sun, Mercury, Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune };

    static void drawStars(QPainter& painter, const QRect& area, int count, quint32 seed,
                          const QColor& colour);
    // A shaded sphere lit from the upper left (Saturn with its rings).
    static void drawBody(QPainter& painter, Body body, const QPointF& centre, qreal radius);

    // The intro splash: the Sun, the planets in a row and the course title.
    static QImage splash(const QSize& size, const QString& title, const QString& subtitle);
    // A picture for a description page: the bodies side by side on a night sky.
    static QImage illustration(const QSize& size, const QList<Body>& bodies);
};

}  // namespace lectern::demo
