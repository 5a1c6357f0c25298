#pragma once

#include <time.h>
#include <QtGlobal>
#include <algorithm>
#include <vector>

namespace lectern::bench {

// Now on CLOCK_MONOTONIC, in nanoseconds: the clock the player's log and
// the grabs of the screen share.
inline qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Latencies in milliseconds, summed up as a median and a worst case.
struct LatencyFigures {
    std::vector<double> ms;
    double median() {
        std::sort(ms.begin(), ms.end());
        return ms.empty() ? 0 : ms[ms.size() / 2];
    }
    double worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

}  // namespace lectern::bench
