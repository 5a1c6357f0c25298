#pragma once

#include "platform/media/AudioDevice.h"

#include <atomic>
#include <memory>

namespace lectern::platform {

// The system's default sound output (and input, when there is one) through
// PortAudio, in one stream that plays and records at the output device's
// own rate.
class PortAudioDevice : public AudioDevice {
  public:
    // Null, with the reason, when PortAudio cannot start, there is no output
    // device, or no stream opens on it.
    static std::unique_ptr<PortAudioDevice> open(QString* reason);
    ~PortAudioDevice() override;

    Format format() const override { return format_; }
    bool start(Renderer& renderer) override;
    void stop() override;
    double now() const override;
    bool failed() const override;
    QString name() const override { return name_; }

  private:
    PortAudioDevice() = default;
    static int callback(const void* input, void* output, unsigned long frames, const void* timeInfo,
                        unsigned long flags, void* self);
    static void finished(void* self);

    void* stream_ = nullptr;
    bool initialised_ = false;
    Format format_;
    QString name_;
    double outputLatency_ = 0;
    Renderer* renderer_ = nullptr;
    std::atomic<bool> running_{false};
    std::atomic<bool> finished_{false};
    std::atomic<double> lastCallback_{0};
    std::atomic<bool> flowing_{false};
    // Touched only by the callback thread.
    unsigned long long framesSinceStart_ = 0;
};

}  // namespace lectern::platform
