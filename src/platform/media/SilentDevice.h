#pragma once

#include "platform/media/AudioDevice.h"

#include <atomic>
#include <thread>

namespace lectern::platform {

// The device of a machine without sound: a clock that runs in real time on
// the monotonic clock, consuming buffers as a sound card would, 100 ms ahead
// of the listener, and capturing silence. Its one thread runs only while a
// stream is started and wakes every 20 ms.
class SilentDevice : public AudioDevice {
  public:
    explicit SilentDevice(Format format = Format());
    ~SilentDevice() override;

    Format format() const override { return format_; }
    bool startOutput(Renderer& renderer) override;
    void stopOutput() override;
    bool startInput(Renderer& renderer) override;
    void stopInput() override;
    double now() const override;
    bool immediate() const override { return true; }
    QString name() const override { return QStringLiteral("silent clock"); }

  private:
    // Runs the thread for the streams now started, or none.
    void restart(Renderer* output, Renderer* input);
    void run(Renderer* output, Renderer* input);

    Format format_;
    Renderer* output_ = nullptr;
    Renderer* input_ = nullptr;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace lectern::platform
