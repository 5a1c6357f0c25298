#pragma once

#include "platform/media/EngineDriver.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace lectern::platform {

// Drives the device keeper on a thread of its own, so that a sound server
// that is slow to answer, hangs or dies never holds up the voices' callers.
// The thread wakes when asked, and as often as the keeper wants to look at
// the streams.
class ThreadedDriver final : public EngineDriver {
  public:
    ThreadedDriver() = default;
    ~ThreadedDriver() override;
    ThreadedDriver(const ThreadedDriver&) = delete;
    ThreadedDriver& operator=(const ThreadedDriver&) = delete;

    void start(DeviceKeeper& keeper) override;
    void poke() override;
    void check() override {}
    void openAside() override;
    void settle() override;
    bool shutDown(double seconds) override;
    void stop() override;

  private:
    void run();

    DeviceKeeper* keeper_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable settled_;
    long long asked_ = 0;
    long long done_ = 0;
    bool openAside_ = false;
    bool quit_ = false;
    bool ended_ = false;
    std::thread thread_;
};

}  // namespace lectern::platform
