#include "app/ClockLog.h"

#include "exercises/reading/TViewTxtFrm.h"
#include "platform/media/TMediaPlayer.h"

#include <time.h>

namespace lectern::app {
namespace {

// CLOCK_MONOTONIC, which a screen grabber in another process reads too.
qint64 nowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

std::unique_ptr<ClockLog> ClockLog::fromEnvironment(const exercises::TViewTxtFrm& window) {
    const QString path = qEnvironmentVariable("LECTERN_CLOCK_LOG");
    if (path.isEmpty())
        return nullptr;
    return std::unique_ptr<ClockLog>(new ClockLog(window, path));
}

ClockLog::ClockLog(const exercises::TViewTxtFrm& window, const QString& path)
    : window_(window), file_(path) {
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return;
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(2);
    connect(&timer_, &QTimer::timeout, this, [this] { sample(); });
    timer_.start();
}

void ClockLog::sample() try {
    const qint64 now = nowNs();
    QByteArray lines;
    const int passage = window_.CurrentMarkNumber();
    if (passage != passage_) {
        lines += QByteArray::number(now) + " passage " + QByteArray::number(passage) + '\n';
        passage_ = passage;
    }
    const platform::TMediaPlayer& player = *window_.MediaPlayer1;
    if (player.IsOpen() && player.Playing())
        lines += QByteArray::number(now) + " clock " + QByteArray::number(player.Position()) + '\n';
    if (!lines.isEmpty())
        file_.write(lines);
} catch (...) {
    // A measuring aid never disturbs the lesson: it stops instead.
    timer_.stop();
}

}  // namespace lectern::app
