#include "platform/media/Mixer.h"

#include "platform/Error.h"
#include "platform/media/AudioDevice.h"
#include "platform/media/CaptureSink.h"
#include "platform/media/MonotonicClock.h"
#include "platform/media/Voice.h"

#include <algorithm>
#include <cmath>

namespace lectern::platform {

namespace {
constexpr int chunkFrames = Voice::chunkFrames;
// Voices are kept in a list reserved once, so adding one never allocates
// while the device waits.
constexpr std::size_t maxVoices = 64;
// A gap longer than this before a capture stream's first buffer is not
// filled with silence: the clocks do not agree.
constexpr double maxGapSeconds = 5;
using Mode = VoiceState::Mode;
}  // namespace

Mixer::Mixer(int rate) : rate_(rate), clock_(rate) {
    voices_.reserve(maxVoices);
    mono_.assign(chunkFrames, 0.0f);
}

Mixer::~Mixer() {
    for (Voice* voice : voices_)
        delete voice;
}

void Mixer::render(const AudioDevice& device, float* out, int frames, int channels,
                   double playTime) {
    std::fill_n(out, std::size_t(frames) * channels, 0.0f);
    std::lock_guard lock(mutex_);
    if (&device != output_)
        return;
    for (Voice* voice : voices_)
        if (voice->state.mode == Mode::Playing) {
            if (voice->keepTime && clock_.keepInStep(*voice, device, playTime, frames))
                continue;
            voice->state.clock = &device;
            voice->state.anchorTime = playTime;
            voice->state.anchorRendered = voice->state.rendered;
        }
    for (int offset = 0; offset < frames; offset += chunkFrames) {
        const int n = std::min(chunkFrames, frames - offset);
        for (Voice* voice : voices_)
            if (voice->state.mode == Mode::Playing)
                voice->mixInto(out + std::size_t(offset) * channels, n, channels);
    }
    for (Voice* voice : voices_)
        if (voice->state.mode == Mode::Playing)
            clock_.publish(*voice);
    for (std::size_t i = 0, count = std::size_t(frames) * channels; i < count; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Mixer::capture(const AudioDevice& device, const float* in, int frames, int channels,
                    double captureTime) {
    std::lock_guard lock(mutex_);
    if (&device != input_)
        return;
    // On a real-time clock the buffer's time compares with the moment the
    // recording started: the capture stream's start-up delay, or the gap
    // while one stream gave way to another, becomes silence.
    const double heardAt = device.realTime() ? captureTime - device.now() + monotonicSeconds() : 0;
    for (Voice* voice : voices_) {
        if (voice->state.mode != Mode::Recording || !voice->writer)
            continue;
        if (!voice->captureSynced) {
            voice->captureSynced = true;
            const double gap = heardAt - voice->gapFrom;
            if (device.realTime() && voice->gapFrom > 0 && gap > 0 && gap < maxGapSeconds) {
                const int silence = int(std::llround(gap * rate_));
                voice->writer->push(nullptr, silence);
                voice->state.recorded += silence;
            }
        }
        voice->captureEnd = heardAt + double(frames) / rate_;
    }
    for (int offset = 0; offset < frames; offset += chunkFrames) {
        const int n = std::min(chunkFrames, frames - offset);
        const float* mono = nullptr;
        if (in && channels > 0) {
            const float* source = in + std::size_t(offset) * channels;
            for (int i = 0; i < n; ++i) {
                float sum = 0;
                for (int c = 0; c < channels; ++c)
                    sum += source[i * channels + c];
                mono_[i] = sum / channels;
            }
            mono = mono_.data();
        }
        for (Voice* voice : voices_)
            if (voice->state.mode == Mode::Recording && voice->writer) {
                voice->writer->push(mono, n);
                voice->state.recorded += n;
            }
    }
    for (Voice* voice : voices_)
        if (voice->state.mode == Mode::Recording)
            clock_.publish(*voice);
}

Mixer::Wants Mixer::wanted() {
    std::lock_guard lock(mutex_);
    Wants wants;
    for (Voice* voice : voices_) {
        if (voice->state.mode == Mode::Playing && !voice->drained)
            wants.output = true;
        if (voice->state.mode == Mode::Recording)
            wants.input = true;
    }
    return wants;
}

void Mixer::moveOutput(const AudioDevice* device) {
    std::lock_guard lock(mutex_);
    if (output_ == device)
        return;
    for (Voice* voice : voices_)
        if (voice->state.mode == Mode::Playing)
            clock_.bridge(*voice, true);
    output_ = device;
}

void Mixer::moveInput(const AudioDevice* device) {
    std::lock_guard lock(mutex_);
    if (input_ == device)
        return;
    for (Voice* voice : voices_)
        if (voice->state.mode == Mode::Recording) {
            voice->captureSynced = false;
            // Before its first buffer a recording counts from its start.
            if (voice->captureEnd > 0)
                voice->gapFrom = voice->captureEnd;
        }
    input_ = device;
}

void Mixer::bridgeStalled() {
    std::lock_guard lock(mutex_);
    for (Voice* voice : voices_)
        if (voice->state.mode == Mode::Playing)
            clock_.bridge(*voice, false);
}

void Mixer::standStill() {
    std::lock_guard lock(mutex_);
    for (Voice* voice : voices_)
        if (voice->state.mode == Mode::Playing)
            clock_.rebase(*voice, clock_.heard(voice->state));
    output_ = nullptr;
}

void Mixer::answerMicrophone(bool found) {
    std::lock_guard lock(mutex_);
    for (Voice* voice : voices_)
        if (voice->state.mode == Mode::Recording && voice->microphoneAsked) {
            voice->microphoneAsked = false;
            if (!found && !toldNoMicrophone_ && voice->noMicrophone) {
                voice->noMicrophone();
                toldNoMicrophone_ = true;
            }
        }
    if (found)
        toldNoMicrophone_ = false;
}

Voice* Mixer::addVoice(std::shared_ptr<const Sound> sound) {
    auto voice = std::make_unique<Voice>(std::move(sound), rate_);
    std::lock_guard lock(mutex_);
    if (voices_.size() >= maxVoices)
        throw EMCIDeviceError(QStringLiteral("Too many sounds open at once"));
    clock_.publish(*voice);
    voices_.push_back(voice.get());
    return voice.release();
}

void Mixer::removeVoice(Voice* voice) {
    {
        std::lock_guard lock(mutex_);
        voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
    }
    delete voice;
}

void Mixer::replaceSound(Voice& voice, std::shared_ptr<const Sound> sound, long long frame) {
    // The new sound's buffers are made before the device is held up.
    Voice fresh(std::move(sound), rate_);
    {
        std::lock_guard lock(mutex_);
        voice.swapSound(fresh);
        if (!voice.stretcher)
            voice.state.speed = 1;
        voice.state.mode = Mode::Idle;
        voice.state.restFrame = std::clamp(frame, 0LL, voice.state.frames);
        voice.state.stopAt = VoiceState::noStop;
        voice.state.run++;
        clock_.publish(voice);
    }
    // `fresh` now holds the old sound and frees it here, on this thread.
}

void Mixer::play(Voice& voice, long long fromFrame) {
    std::lock_guard lock(mutex_);
    voice.state.mode = Mode::Playing;
    clock_.rebase(voice, std::clamp(fromFrame, 0LL, voice.state.frames));
}

void Mixer::halt(Voice& voice) {
    std::lock_guard lock(mutex_);
    voice.state.restFrame = clock_.shown(voice);
    voice.state.mode = Mode::Idle;
    clock_.publish(voice);
}

void Mixer::moveTo(Voice& voice, long long frame) {
    std::lock_guard lock(mutex_);
    voice.state.mode = Mode::Idle;
    voice.state.restFrame = std::clamp(frame, 0LL, voice.state.frames);
    clock_.publish(voice);
}

void Mixer::setSpeed(Voice& voice, double speed) {
    std::lock_guard lock(mutex_);
    speed = voice.stretcher ? std::clamp(speed, VoiceState::minSpeed, VoiceState::maxSpeed) : 1.0;
    if (voice.state.mode == Mode::Playing && speed != voice.state.speed) {
        // The new pace starts from what the listener hears now.
        const long long frame = clock_.shown(voice);
        voice.state.speed = speed;
        clock_.rebase(voice, frame);
    } else {
        voice.state.speed = speed;
        clock_.publish(voice);
    }
}

void Mixer::setStopAt(Voice& voice, long long frame) {
    std::lock_guard lock(mutex_);
    VoiceState& s = voice.state;
    const long long before = s.end();
    s.stopAt = std::max(frame, 0LL);
    // A run that has already taken frames past the new stop, or was cut at
    // the old one, starts anew from where the listener is: what it holds
    // must not be heard, or what it left out must be.
    if (s.mode == Mode::Playing && s.end() != before &&
        (voice.cursor > s.end() || voice.cursor >= before || voice.drained))
        clock_.rebase(voice, clock_.shown(voice));
    else
        clock_.publish(voice);
}

long long Mixer::position(Voice& voice) {
    const VoiceClock::Reading reading = clock_.read(voice.published, voice.shown);
    const VoiceState& s = reading.state;
    if (s.mode == Mode::Playing && reading.frame >= s.end()) {
        std::lock_guard lock(mutex_);
        if (voice.state.run == s.run && voice.state.mode == Mode::Playing) {
            voice.state.mode = Mode::Idle;
            voice.state.restFrame = voice.state.end();
            clock_.publish(voice);
        }
    }
    return reading.frame;
}

void Mixer::startRecording(Voice& voice, CaptureSink* writer, long long frame,
                           std::function<void()> noMicrophone) {
    std::lock_guard lock(mutex_);
    // Swapped, not assigned: nothing is allocated or freed under the lock.
    std::swap(voice.noMicrophone, noMicrophone);
    voice.microphoneAsked = true;
    VoiceState& s = voice.state;
    s.mode = Mode::Recording;
    s.recordStart = frame;
    s.recorded = 0;
    voice.writer = writer;
    voice.captureSynced = false;
    voice.gapFrom = monotonicSeconds();
    voice.captureEnd = 0;
    clock_.publish(voice);
}

void Mixer::stopRecording(Voice& voice) {
    std::lock_guard lock(mutex_);
    if (voice.state.mode == Mode::Recording) {
        // What the stream heard before the Stop but has not delivered yet
        // (its latency) is kept as silence: the recording lasts until the Stop.
        const double gap = monotonicSeconds() - voice.captureEnd;
        if (voice.writer && voice.captureSynced && input_ && input_->realTime() &&
            voice.captureEnd > 0 && gap > 0 && gap < maxGapSeconds) {
            const int silence = int(std::llround(gap * rate_));
            voice.writer->push(nullptr, silence);
            voice.state.recorded += silence;
        }
        voice.state.restFrame = clock_.heard(voice.state);
        voice.state.mode = Mode::Idle;
    }
    voice.writer = nullptr;
    clock_.publish(voice);
}

}  // namespace lectern::platform
