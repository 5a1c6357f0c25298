#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

namespace lectern::platform {

// A fixed ring of samples between exactly one writer thread and one reader
// thread, without locks: each side moves only its own index.
class SampleRing {
  public:
    explicit SampleRing(std::size_t capacityPowerOfTwo)
        : data_(capacityPowerOfTwo), mask_(capacityPowerOfTwo - 1) {}

    // Writer side. Stores what fits and returns how many samples that was;
    // `samples` null stores silence.
    std::size_t push(const float* samples, std::size_t count) {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        const std::size_t tail = tail_.load(std::memory_order_acquire);
        const std::size_t room = data_.size() - (head - tail);
        const std::size_t n = count < room ? count : room;
        for (std::size_t i = 0; i < n; ++i)
            data_[(head + i) & mask_] = samples ? samples[i] : 0.0f;
        head_.store(head + n, std::memory_order_release);
        return n;
    }

    // Reader side: moves up to `count` samples into `out`.
    std::size_t pop(float* out, std::size_t count) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        const std::size_t head = head_.load(std::memory_order_acquire);
        const std::size_t n = count < head - tail ? count : head - tail;
        for (std::size_t i = 0; i < n; ++i)
            out[i] = data_[(tail + i) & mask_];
        tail_.store(tail + n, std::memory_order_release);
        return n;
    }

    std::size_t size() const {
        return head_.load(std::memory_order_acquire) - tail_.load(std::memory_order_acquire);
    }
    std::size_t capacity() const { return data_.size(); }

  private:
    std::vector<float> data_;
    std::size_t mask_;
    std::atomic<std::size_t> head_{0};
    std::atomic<std::size_t> tail_{0};
};

}  // namespace lectern::platform
