#pragma once

#include "platform/media/CaptureRing.h"
#include "platform/media/SpeechActivity.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lectern::platform {
class AudioEngine;
class Voice;
}  // namespace lectern::platform

namespace lectern::exercises {

// Records one take of the learner saying a passage. The capture stream is
// asked for at start() and given back when the take ends, so the
// microphone is open exactly while a take is made. Nothing said after the
// key press is lost: the engine counts the take from start() and keeps the
// stream's start-up time as silence, then every frame from the stream's
// first buffer.
//
// The take ends by itself after SilenceMs of silence that follows speech,
// or at twice the passage's length; both are counted in frames heard.
class TakeRecorder {
  public:
    static constexpr int SilenceMs = 1200;
    // However long a course says a passage is.
    static constexpr int LongestMs = 60000;

    struct Take {
        std::vector<float> mono;
        int rate = 0;
    };

    explicit TakeRecorder(platform::AudioEngine& engine);
    ~TakeRecorder();
    TakeRecorder(const TakeRecorder&) = delete;
    TakeRecorder& operator=(const TakeRecorder&) = delete;

    // `noMicrophone` is called on the engine's thread, under its lock, when
    // the device has no microphone: it may only post a message.
    void start(int passageMs, std::function<void()> noMicrophone = {});
    bool recording() const { return voice_ != nullptr; }
    // Takes in what has been heard so far; true once the take should end.
    bool poll();
    // Ends the take (the microphone closes) and hands it over.
    Take finish();

    const platform::SpeechActivity& activity() const { return *activity_; }

  private:
    void takeIn();

    platform::AudioEngine& engine_;
    platform::CaptureRing ring_;
    platform::Voice* voice_ = nullptr;
    std::optional<platform::SpeechActivity> activity_;
    std::vector<float> heard_;
    long long limitFrames_ = 0;
};

}  // namespace lectern::exercises
