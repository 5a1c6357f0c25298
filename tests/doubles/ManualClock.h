#pragma once

#include "platform/media/AudioDevice.h"

#include <functional>
#include <vector>

namespace lectern::test {

// A sound device whose clock moves only when told: advance() renders the
// frames of that span at once on the calling thread. Tests drive the audio
// engine with it; nothing is heard and the input is silence unless a source
// is set.
class ManualClock : public platform::AudioDevice {
  public:
    explicit ManualClock(Format format = Format());

    // Moves the clock on by `ms` milliseconds (the frame count is kept exact
    // over many calls), rendering every frame of the span.
    void advance(double ms);
    // The device stops delivering buffers, as when it is unplugged.
    void fail() { failed_ = true; }

    // What the microphone hears: called for every buffer before rendering.
    std::function<void(float* in, int frames)> inputSource;
    // When set, everything rendered is appended to `output`.
    bool keepOutput = false;
    std::vector<float> output;

    long long framesRendered() const { return frames_; }

    Format format() const override { return format_; }
    bool start(Renderer& renderer) override;
    void stop() override { renderer_ = nullptr; }
    double now() const override;
    bool failed() const override { return failed_; }
    QString name() const override { return QStringLiteral("manual clock"); }

  private:
    Format format_;
    Renderer* renderer_ = nullptr;
    bool failed_ = false;
    double elapsedMs_ = 0;
    long long frames_ = 0;
    std::vector<float> out_;
    std::vector<float> in_;
};

}  // namespace lectern::test
