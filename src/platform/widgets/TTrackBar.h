#pragma once

#include <QSlider>

namespace lectern::platform {

// A lesson window's track bar: 31 pixels high, horizontal, one position a
// step, a tick at every position, below the bar. Its positions start at 0.
class TTrackBar : public QSlider {
    Q_OBJECT
  public:
    explicit TTrackBar(QWidget* parent = nullptr);

    // The last position. A value below 0 (no marks, a negative time) leaves
    // the single position 0: a plain slider would move its first position
    // below 0 too, which the windows would read as passage 0.
    void SetMax(int max) { setMaximum(std::max(max, 0)); }
};

}  // namespace lectern::platform
