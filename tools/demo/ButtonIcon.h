#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace lectern::demo {

enum class Icon {
    Book,
    Run,
    Help,
    About,
    Exit,
    Home,
    Play,
    Pause,
    Stop,
    BeginUnit,
    EndUnit,
    Cycle
};

// Draws a simple line-and-fill pictogram inside the box, in one colour.
void drawIcon(QPainter& painter, Icon icon, const QRectF& box, const QColor& colour);

}  // namespace lectern::demo
