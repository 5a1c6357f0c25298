#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lectern::test {

// A sink of the running private PulseAudio server (the one PULSE_SERVER
// names) that behaves like a sound card: module-pipe-sink writes 48 kHz
// stereo 16-bit frames into a FIFO whose buffer is shrunk to about 21 ms, and
// a thread of this object reads it at the pace of real time. A frame thus
// comes out when a card would play it, unlike a null sink's monitor, which
// delivers a new stream's sound about a second late. Unloads the sink on
// destruction.
class PipeSink {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr int Rate = 48000;

    // The FIFO goes into `directory`.
    explicit PipeSink(const QString& directory);
    ~PipeSink();
    PipeSink(const PipeSink&) = delete;
    PipeSink& operator=(const PipeSink&) = delete;

    // Empty when the sink plays; else why it could not be set up.
    QString failure() const { return failure_; }
    QString name() const { return QStringLiteral("pipe"); }

    // Forgets what came out so far; from now on the first frame louder than
    // `threshold` (a share of full scale) is remembered.
    void listen(float threshold);
    // When that frame came out, waiting up to `timeoutMs` for it.
    std::optional<Clock::time_point> soundAt(int timeoutMs) const;

    // From now on keeps the left channel of what comes out, at Rate, so
    // that a test can tell sounds apart by their content and order.
    void keep();
    std::vector<float> kept() const;

  private:
    void read();

    QString fifo_;
    QString failure_;
    QString module_;
    int fd_ = -1;
    int pipeBytes_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> threshold_{1 << 16};
    std::atomic<Clock::rep> since_{0};
    std::atomic<Clock::rep> heard_{-1};
    mutable std::mutex keptLock_;
    bool keeping_ = false;
    std::vector<float> kept_;
    std::thread reader_;
};

}  // namespace lectern::test
