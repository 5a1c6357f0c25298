#pragma once

#include <QSlider>

namespace lectern::platform {

// A lesson window's track bar: 31 pixels high, horizontal, one position a
// step, a tick at every position, below the bar.
inline QSlider* makeTrackBar(QWidget* parent) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setFixedHeight(31);
    bar->setPageStep(1);
    bar->setSingleStep(1);
    bar->setTickInterval(1);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setMaximum(10);
    return bar;
}

}  // namespace lectern::platform
