#include "platform/widgets/TTrackBar.h"

namespace lectern::platform {

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setFixedHeight(31);
    setPageStep(1);
    setSingleStep(1);
    setTickInterval(1);
    setTickPosition(QSlider::TicksBelow);
    setMaximum(10);
    // Its value is the passage, counted from 0 (see the windows' handlers).
    setAccessibleName(QStringLiteral("Passage"));
}

}  // namespace lectern::platform
