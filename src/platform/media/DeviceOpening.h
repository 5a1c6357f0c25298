#pragma once

#include "platform/media/AudioDevice.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace lectern::platform {

// Opens a sound device on a thread of its own, so that the one who asks
// waits no longer than a deadline for a sound server that hangs. One open
// runs at a time: an open that outlives its deadline goes on, and the
// device it brings is handed over at a later ask.
class DeviceOpening {
  public:
    using Opener = std::function<std::unique_ptr<AudioDevice>()>;

    // `ended` is called on the opening thread after each open, so that the
    // asker can come back for the answer.
    DeviceOpening(Opener open, std::function<void()> ended);
    // Waits for an open under way.
    ~DeviceOpening();
    DeviceOpening(const DeviceOpening&) = delete;
    DeviceOpening& operator=(const DeviceOpening&) = delete;

    // The device of an open that has ended; else starts an open and waits
    // up to `seconds` for it (an open already under way is not waited for).
    // Null when there is no device, or none yet.
    std::unique_ptr<AudioDevice> take(double seconds);
    // An open has ended and its answer waits to be taken.
    bool answered();
    // Waits up to `seconds` until no open is under way.
    bool wait(double seconds);

  private:
    enum class Stage { Idle, Opening, Answered };

    Opener open_;
    std::function<void()> ended_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Stage stage_ = Stage::Idle;
    std::unique_ptr<AudioDevice> device_;
    std::thread thread_;
};

}  // namespace lectern::platform
