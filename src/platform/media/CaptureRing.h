#pragma once

#include "platform/media/CaptureSink.h"
#include "platform/media/SampleRing.h"

#include <atomic>
#include <vector>

namespace lectern::platform {

// Keeps what the microphone hears in memory for the GUI thread, which takes
// it out as it comes. Frames that find the ring full are counted, not kept.
class CaptureRing : public CaptureSink {
  public:
    // 2^20 samples: 21 s at 48 kHz between two takes.
    explicit CaptureRing(std::size_t capacityPowerOfTwo = std::size_t(1) << 20)
        : ring_(capacityPowerOfTwo) {}

    void push(const float* mono, int frames) override {
        const std::size_t stored = ring_.push(mono, std::size_t(frames));
        if (stored < std::size_t(frames))
            dropped_.fetch_add(frames - (long long)stored, std::memory_order_relaxed);
    }

    // Appends every frame that has come so far to `into`; returns how many.
    std::size_t takeInto(std::vector<float>& into) {
        const std::size_t n = ring_.size();
        const std::size_t at = into.size();
        into.resize(at + n);
        const std::size_t got = ring_.pop(into.data() + at, n);
        into.resize(at + got);
        return got;
    }

    long long dropped() const { return dropped_.load(std::memory_order_relaxed); }

  private:
    SampleRing ring_;
    std::atomic<long long> dropped_{0};
};

}  // namespace lectern::platform
