#pragma once

#include <algorithm>
#include <vector>

namespace lectern::bench {

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
