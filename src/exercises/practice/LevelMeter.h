#pragma once

#include <QWidget>

namespace lectern::exercises {

// The small bar that shows how loud the microphone hears the learner while
// a take is recorded, from -60 dB (empty) to 0 dB (full).
class LevelMeter : public QWidget {
  public:
    explicit LevelMeter(QWidget* parent);

    void setLevel(double db);
    double level() const { return db_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double db_ = -100;
};

}  // namespace lectern::exercises
