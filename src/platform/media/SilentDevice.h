#pragma once

#include "platform/media/AudioDevice.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace lectern::platform {

// The device of a machine without sound: a clock that runs in real time on
// the monotonic clock, consuming buffers as a sound card would, 20 ms ahead
// of the listener. Its input is silence.
class SilentDevice : public AudioDevice {
  public:
    explicit SilentDevice(Format format = Format());
    ~SilentDevice() override;

    Format format() const override { return format_; }
    bool start(Renderer& renderer) override;
    void stop() override;
    double now() const override;
    QString name() const override { return QStringLiteral("silent clock"); }

  private:
    void run(Renderer& renderer);

    Format format_;
    std::chrono::steady_clock::time_point origin_;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace lectern::platform
