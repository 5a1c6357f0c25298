#pragma once

#include <QFile>
#include <QObject>
#include <QTimer>

#include <memory>

namespace lectern::exercises {
class TViewTxtFrm;
}

namespace lectern::app {

// A measuring aid for the highlight's latency on screen, off unless the
// environment variable LECTERN_CLOCK_LOG names a file. While the reading
// window's sound plays, it writes there every 2 ms the monotonic time (ns)
// and the sound's position as heard (ms), and each change of the current
// passage as it is made: "<ns> clock <ms>" and "<ns> passage <k>".
class ClockLog : public QObject {
  public:
    // Nothing when the variable is not set.
    static std::unique_ptr<ClockLog> fromEnvironment(const exercises::TViewTxtFrm& window);

  private:
    ClockLog(const exercises::TViewTxtFrm& window, const QString& path);
    void sample();

    const exercises::TViewTxtFrm& window_;
    QFile file_;
    QTimer timer_;
    int passage_ = 0;
};

}  // namespace lectern::app
