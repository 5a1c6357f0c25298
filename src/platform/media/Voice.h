#pragma once

#include "platform/media/PublishedVoiceState.h"
#include "platform/media/VoiceState.h"

#include <samplerate.h>
#include <functional>
#include <memory>
#include <vector>

namespace soundtouch {
class SoundTouch;
}

namespace lectern::platform {

class CaptureSink;
class Sound;

// A sound as the mixer plays it: where it stands (its state, published for
// lock-free readers), and its way to the engine's rate and pace (resampler
// and stretcher) with buffers made in advance, so that the stream's
// callback never allocates.
class Voice {
  public:
    using Mode = VoiceState::Mode;
    // Buffers of any size are mixed in chunks of at most this many frames,
    // the size of every scratch buffer.
    static constexpr int chunkFrames = 1024;

    Voice(std::shared_ptr<const Sound> sound, int engineRate);
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    // Takes `other`'s sound with its buffers, resampler and stretcher, and
    // gives it this voice's: the caller frees them outside its lock.
    void swapSound(Voice& other);
    // Adds the voice's next `frames` frames, at the engine's rate and the
    // voice's speed, to `out` (`outChannels` interleaved).
    void mixInto(float* out, int frames, int outChannels);

    VoiceState state;
    PublishedVoiceState published;

    std::shared_ptr<const Sound> sound;
    int channels = 1;
    std::unique_ptr<soundtouch::SoundTouch> stretcher;

    // The stream's side of the current run: the next frame fed to the mixer.
    long long cursor = 0;
    bool resetResampler = false;
    bool drained = false;
    // The voice runs on the old stream's real-time clock until the new
    // stream keeps time (see VoiceClock::bridge).
    bool keepTime = false;
    long long keptFrames = 0;
    // The stretcher's side of the run: whether the sound has all been fed to
    // it, and how much silence followed.
    bool resetStretcher = false;
    bool sourceDone = false;
    int tailFed = 0;

    CaptureSink* writer = nullptr;
    // A capture stream that has just started places its first buffer
    // against `gapFrom` (monotonic seconds), the moment the recording, or
    // the last stream's sound, ended; `captureEnd` is where the last buffer ended.
    bool captureSynced = true;
    double gapFrom = 0;
    double captureEnd = 0;
    // Until the engine has tried the microphone for this recording.
    bool microphoneAsked = false;
    std::function<void()> noMicrophone;

    ShownPosition shown;

  private:
    void setSound(std::shared_ptr<const Sound> s);
    void makeStretcher();
    // The voice's next frames at the engine's rate, at most `frames`; fewer
    // at the end of the sound.
    int pull(float* into, int frames);
    // The same at the voice's speed, through its stretcher.
    int stretch(float* out, int frames);

    int rate_ = 0;
    SRC_STATE* resampler_ = nullptr;
    std::vector<float> scratch_;
    std::vector<float> stretchInput_;
};

}  // namespace lectern::platform
