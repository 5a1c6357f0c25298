#pragma once

#include "platform/media/VoiceState.h"

#include <atomic>

namespace lectern::platform {

// A voice's state for readers on other threads, without locks: a sequence
// lock whose writers are serialised by the mixer's lock.
class PublishedVoiceState {
  public:
    void store(const VoiceState& s) {
        const unsigned long long seq = seq_.load(std::memory_order_relaxed);
        seq_.store(seq + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        mode_.store(int(s.mode), std::memory_order_relaxed);
        run_.store(s.run, std::memory_order_relaxed);
        restFrame_.store(s.restFrame, std::memory_order_relaxed);
        runStart_.store(s.runStart, std::memory_order_relaxed);
        frames_.store(s.frames, std::memory_order_relaxed);
        stopAt_.store(s.stopAt, std::memory_order_relaxed);
        ratio_.store(s.ratio, std::memory_order_relaxed);
        speed_.store(s.speed, std::memory_order_relaxed);
        clock_.store(s.clock, std::memory_order_relaxed);
        anchorTime_.store(s.anchorTime, std::memory_order_relaxed);
        anchorRendered_.store(s.anchorRendered, std::memory_order_relaxed);
        rendered_.store(s.rendered, std::memory_order_relaxed);
        recordStart_.store(s.recordStart, std::memory_order_relaxed);
        recorded_.store(s.recorded, std::memory_order_relaxed);
        seq_.store(seq + 2, std::memory_order_release);
    }

    VoiceState load() const {
        VoiceState s;
        for (;;) {
            const unsigned long long seq = seq_.load(std::memory_order_acquire);
            s.mode = VoiceState::Mode(mode_.load(std::memory_order_relaxed));
            s.run = run_.load(std::memory_order_relaxed);
            s.restFrame = restFrame_.load(std::memory_order_relaxed);
            s.runStart = runStart_.load(std::memory_order_relaxed);
            s.frames = frames_.load(std::memory_order_relaxed);
            s.stopAt = stopAt_.load(std::memory_order_relaxed);
            s.ratio = ratio_.load(std::memory_order_relaxed);
            s.speed = speed_.load(std::memory_order_relaxed);
            s.clock = clock_.load(std::memory_order_relaxed);
            s.anchorTime = anchorTime_.load(std::memory_order_relaxed);
            s.anchorRendered = anchorRendered_.load(std::memory_order_relaxed);
            s.rendered = rendered_.load(std::memory_order_relaxed);
            s.recordStart = recordStart_.load(std::memory_order_relaxed);
            s.recorded = recorded_.load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if (!(seq & 1) && seq_.load(std::memory_order_relaxed) == seq)
                return s;
        }
    }

  private:
    std::atomic<unsigned long long> seq_{0};
    std::atomic<int> mode_{0};
    std::atomic<long long> run_{0}, restFrame_{0}, runStart_{0}, frames_{0};
    std::atomic<long long> stopAt_{VoiceState::noStop};
    std::atomic<double> ratio_{1}, speed_{1};
    std::atomic<const AudioDevice*> clock_{nullptr};
    std::atomic<double> anchorTime_{0};
    std::atomic<long long> anchorRendered_{0}, rendered_{0}, recordStart_{0}, recorded_{0};
};

}  // namespace lectern::platform
