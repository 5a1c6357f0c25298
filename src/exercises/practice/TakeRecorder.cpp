#include "exercises/practice/TakeRecorder.h"

#include "platform/media/AudioEngine.h"
#include "platform/media/Sound.h"

#include <sndfile.h>
#include <algorithm>

namespace lectern::exercises {

TakeRecorder::TakeRecorder(platform::AudioEngine& engine) : engine_(engine) {}

TakeRecorder::~TakeRecorder() {
    if (recording())
        finish();
}

void TakeRecorder::start(int passageMs, std::function<void()> noMicrophone) {
    if (recording())
        finish();
    const int rate = engine_.sampleRate();
    auto silence = std::make_shared<platform::Sound>();
    silence->format = {SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, 1};
    heard_.clear();
    heard_.reserve(std::size_t(rate) * 10);
    activity_.emplace(rate);
    // A passage whose marks make it empty or backwards still gets a second.
    const long long limitMs = std::clamp(2LL * passageMs, 1000LL, (long long)LongestMs);
    limitFrames_ = limitMs * rate / 1000;
    voice_ = engine_.addVoice(std::move(silence));
    engine_.startRecording(voice_, &ring_, 0, std::move(noMicrophone));
}

void TakeRecorder::takeIn() {
    const std::size_t at = heard_.size();
    ring_.takeInto(heard_);
    activity_->feed(heard_.data() + at, heard_.size() - at);
}

bool TakeRecorder::poll() {
    if (!recording())
        return false;
    takeIn();
    const long long silenceLimit = (long long)SilenceMs * engine_.sampleRate() / 1000;
    return (long long)heard_.size() >= limitFrames_ ||
           activity_->silenceAfterSpeech() >= silenceLimit;
}

TakeRecorder::Take TakeRecorder::finish() {
    Take take;
    if (!recording())
        return take;
    engine_.stopRecording(voice_);
    engine_.removeVoice(voice_);
    voice_ = nullptr;
    takeIn();
    heard_.resize(std::min<std::size_t>(heard_.size(), std::size_t(limitFrames_)));
    take.mono = std::move(heard_);
    take.rate = engine_.sampleRate();
    heard_ = {};
    return take;
}

}  // namespace lectern::exercises
