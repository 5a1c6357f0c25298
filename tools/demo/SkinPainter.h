#pragma once

#include "demo/ButtonIcon.h"

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace lectern::demo {

// The look of the skin: light bars with a golden seam, navy buttons that
// glow amber when lit. A lit button picture is cut from the bar it lies on,
// so it covers the resting button without a visible edge.
class SkinPainter {
  public:
    enum class Bar { Top, Bottom };

    static QImage bar(const QSize& size, Bar side);
    static QImage edge(const QSize& size, bool left);
    static void paintButton(QPainter& painter, const QRect& box, Icon icon, const QString& label,
                            bool lit);
    // The lit button cut out of a copy of the plain bar background.
    static QImage litButton(const QImage& background, const QRect& box, Icon icon,
                            const QString& label);
    // The course's emblem and title at the left of the main window's top bar.
    static void paintTitle(QPainter& painter, const QRect& area, const QString& title,
                           const QString& subtitle);
    // Small planets along the right end of a bar, for the exercise windows.
    static void paintPlanetRow(QPainter& painter, const QRect& area);
    static void paintFooter(QPainter& painter, const QRect& area, const QString& text);
};

}  // namespace lectern::demo
