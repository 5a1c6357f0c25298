#include "PipeSink.h"
#include "PulseServer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace lectern::test {

namespace {

constexpr int frameBytes = 4;
constexpr long long bytesPerSecond = 48000LL * frameBytes;

}  // namespace

PipeSink::PipeSink(const QString& directory) : fifo_(directory + QStringLiteral("/pipe-sink")) {
    // The FIFO is made and shrunk before the server opens it, so that the
    // sink sizes its buffer from the small pipe (it would not shrink later
    // while holding more than fits).
    QFile::remove(fifo_);
    if (mkfifo(QFile::encodeName(fifo_).constData(), 0600) != 0) {
        failure_ = QStringLiteral("cannot make the FIFO ") + fifo_;
        return;
    }
    fd_ = ::open(QFile::encodeName(fifo_).constData(), O_RDONLY | O_NONBLOCK);
    pipeBytes_ = fd_ < 0 ? -1 : fcntl(fd_, F_SETPIPE_SZ, 4096);
    if (pipeBytes_ <= 0) {
        failure_ = QStringLiteral("cannot open or shrink the FIFO ") + fifo_;
        return;
    }
    module_ = pactl({QStringLiteral("load-module"), QStringLiteral("module-pipe-sink"),
                     QStringLiteral("file=") + fifo_, QStringLiteral("sink_name=") + name(),
                     QStringLiteral("rate=48000"), QStringLiteral("channels=2"),
                     QStringLiteral("format=s16le")})
                  .trimmed();
    if (module_.isEmpty()) {
        failure_ = QStringLiteral("the server does not load module-pipe-sink");
        return;
    }
    reader_ = std::thread([this] { read(); });
}

PipeSink::~PipeSink() {
    stop_ = true;
    if (reader_.joinable())
        reader_.join();
    if (!module_.isEmpty())
        pactl({QStringLiteral("unload-module"), module_});
    if (fd_ >= 0)
        ::close(fd_);
    QFile::remove(fifo_);
}

void PipeSink::listen(float threshold) {
    threshold_ = int(threshold * 32767);
    since_ = Clock::now().time_since_epoch().count();
    heard_ = -1;
}

std::optional<PipeSink::Clock::time_point> PipeSink::soundAt(int timeoutMs) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (heard_ < 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (heard_ < 0)
        return std::nullopt;
    return Clock::time_point(Clock::duration(heard_.load()));
}

void PipeSink::keep() {
    const std::lock_guard lock(keptLock_);
    keeping_ = true;
    kept_.clear();
}

std::vector<float> PipeSink::kept() const {
    const std::lock_guard lock(keptLock_);
    return kept_;
}

// Takes out what a card would have played since the last turn, every 2 ms.
// The sink refills the pipe only once it is empty, so it is often a little
// behind: up to 5 ms of sound is taken late without loss. When it wrote
// nothing for longer (suspended), the card ran dry: that time is lost, and
// the next sound starts playing when it comes out.
void PipeSink::read() {
    constexpr long long slackBytes = bytesPerSecond * 5 / 1000 / frameBytes * frameBytes;
    const Clock::time_point start = Clock::now();
    long long consumed = 0;
    // Bytes read from the pipe: a sample's place in the stream of frames.
    long long streamed = 0;
    std::vector<char> chunk(static_cast<std::size_t>(pipeBytes_));
    std::vector<char> carried;
    while (!stop_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const Clock::time_point now = Clock::now();
        const long long due =
            std::chrono::duration_cast<std::chrono::nanoseconds>(now - start).count() *
            bytesPerSecond / 1000000000;
        consumed = std::max(consumed, due - slackBytes);
        const long long want = std::min<long long>(due - consumed, pipeBytes_);
        if (want <= 0)
            continue;
        const ssize_t got = ::read(fd_, chunk.data(), std::size_t(want));
        if (got <= 0)
            continue;
        // A byte's place in what the card took is when it was played.
        const long long first = consumed - (long long)carried.size();
        const long long firstSample = (streamed - (long long)carried.size()) / 2;
        consumed += got;
        streamed += got;
        carried.insert(carried.end(), chunk.begin(), chunk.begin() + got);
        const std::size_t samples = carried.size() / 2;
        const auto* sample = reinterpret_cast<const std::int16_t*>(carried.data());
        for (std::size_t i = 0; i < samples && heard_ < 0; ++i) {
            if (std::abs(int(sample[i])) <= threshold_)
                continue;
            const auto played =
                std::chrono::nanoseconds((first + (long long)i * 2) * 1000000000 / bytesPerSecond);
            const Clock::rep at = (start + played).time_since_epoch().count();
            if (at >= since_)
                heard_ = at;
        }
        {
            const std::lock_guard lock(keptLock_);
            // Reads need not end on a frame: the left samples are the even
            // ones of the stream.
            for (std::size_t i = std::size_t(firstSample % 2); keeping_ && i < samples; i += 2)
                kept_.push_back(float(sample[i]) / 32768);
        }
        carried.erase(carried.begin(), carried.begin() + std::ptrdiff_t(samples * 2));
    }
}

}  // namespace lectern::test
