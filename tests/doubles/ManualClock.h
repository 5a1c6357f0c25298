#pragma once

#include "platform/media/AudioDevice.h"

#include <atomic>
#include <functional>
#include <vector>

namespace lectern::test {

// A sound device whose clock moves only when told: advance() renders and
// captures the frames of that span at once on the calling thread, for the
// streams that are started. Tests drive the audio engine with it; nothing is
// heard and the input is silence unless a source is set.
class ManualClock : public platform::AudioDevice {
  public:
    explicit ManualClock(Format format = Format());

    // Moves the clock on by `ms` milliseconds (the frame count is kept exact
    // over many calls), rendering every frame of the span.
    void advance(double ms);
    // The device stops delivering buffers, as when it is unplugged.
    void fail() { failed_ = true; }
    // The device has no microphone from now on.
    void unplugMicrophone() { format_.inputChannels = 0; }

    // What the microphone hears: called for every buffer captured.
    std::function<void(float* in, int frames)> inputSource;
    // When set, everything rendered is appended to `output`.
    bool keepOutput = false;
    std::vector<float> output;

    long long framesRendered() const { return frames_; }
    bool outputStarted() const { return output_ != nullptr; }
    bool inputStarted() const { return input_ != nullptr; }

    Format format() const override { return format_; }
    bool startOutput(Renderer& renderer) override;
    void stopOutput() override { output_ = nullptr; }
    bool startInput(Renderer& renderer) override;
    void stopInput() override { input_ = nullptr; }
    double now() const override;
    bool failed() const override { return failed_; }
    bool immediate() const override { return true; }
    bool realTime() const override { return false; }
    QString name() const override { return QStringLiteral("manual clock"); }

  private:
    Format format_;
    // An engine with a thread of its own starts and stops the streams and
    // reads the clock there, while the test advances it on its own thread.
    std::atomic<Renderer*> output_{nullptr};
    std::atomic<Renderer*> input_{nullptr};
    std::atomic<bool> failed_{false};
    double elapsedMs_ = 0;
    std::atomic<long long> frames_{0};
    std::vector<float> out_;
    std::vector<float> in_;
};

}  // namespace lectern::test
