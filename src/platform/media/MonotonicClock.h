#pragma once

#include <chrono>

namespace lectern::platform {

// Seconds on the system's monotonic clock: the clock that real-time devices
// run on, so that times of different devices and of the engine compare.
inline double monotonicSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace lectern::platform
