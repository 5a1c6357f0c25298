#include "platform/media/VoiceClock.h"

#include "platform/media/AudioDevice.h"
#include "platform/media/Voice.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace lectern::platform {

namespace {
// A stream that takes a voice over from another may start late and stall at
// first (a sound server that has just started): for this long the voice
// stays on the old clock and the stream's sound is moved to it whenever it
// is further off than `stepTolerance`.
constexpr double keepSeconds = 3;
constexpr double stepTolerance = 0.05;
}  // namespace

long long VoiceClock::shown(const Voice& voice) const {
    long long frame = heard(voice.state);
    if (voice.state.mode == VoiceState::Mode::Playing && voice.shown.run == voice.state.run)
        frame = std::max(frame, voice.shown.frame);
    return frame;
}

void VoiceClock::publish(Voice& voice) const {
    voice.published.store(voice.state);
}

void VoiceClock::rebase(Voice& voice, long long frame) const {
    VoiceState& s = voice.state;
    s.run++;
    s.runStart = frame;
    s.rendered = 0;
    s.clock = nullptr;
    voice.cursor = frame;
    voice.resetResampler = true;
    voice.resetStretcher = true;
    voice.drained = frame >= s.end();
    voice.keepTime = false;
    publish(voice);
}

void VoiceClock::bridge(Voice& voice, bool onlyRendered) const {
    VoiceState& s = voice.state;
    const AudioDevice* clock = s.clock;
    rebase(voice, heard(s, onlyRendered));
    if (!clock || !clock->realTime())
        return;
    // Nothing is rendered while the voice waits for the new stream, so
    // the cap at the rendered frames is lifted.
    s.clock = clock;
    s.anchorTime = clock->now();
    s.anchorRendered = 0;
    s.rendered = std::numeric_limits<long long>::max() / 4;
    voice.keepTime = true;
    voice.keptFrames = 0;
    publish(voice);
}

bool VoiceClock::keepInStep(Voice& voice, const AudioDevice& device, double playTime,
                            int frames) const {
    VoiceState& s = voice.state;
    // When this buffer is heard, on the clock the voice runs on.
    const double at = device.realTime() ? playTime - device.now() + s.clock->now() : s.clock->now();
    const long long target = std::min(
        s.runStart + std::llround(std::max(0.0, at - s.anchorTime) * rate_ * s.speed / s.ratio),
        s.end());
    const bool first = voice.keptFrames == 0;
    if (first ||
        std::llabs(voice.cursor - target) > std::llround(stepTolerance * rate_ / s.ratio)) {
        voice.cursor = target;
        voice.resetResampler = true;
        voice.resetStretcher = true;
        voice.drained = target >= s.end();
    }
    if (device.realTime() && voice.keptFrames < std::llround(keepSeconds * rate_)) {
        voice.keptFrames += frames;
        return true;
    }
    // The stream keeps time: the voice goes on on its clock from here.
    voice.keepTime = false;
    s.runStart = voice.cursor;
    s.rendered = 0;
    return false;
}

}  // namespace lectern::platform
