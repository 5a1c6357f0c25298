#include "platform/media/Voice.h"

#include "platform/media/Sound.h"

#include <SoundTouch.h>
#include <algorithm>
#include <cmath>
#include <utility>

namespace lectern::platform {

namespace {
// The stretcher takes sounds of up to this many channels; a voice with more
// always plays at its own speed.
constexpr int maxStretchChannels = 16;
// After its sound's last frame a stretcher is fed this much silence (in
// seconds), which brings out what it still holds.
constexpr double stretchTailSeconds = 0.2;
}  // namespace

Voice::Voice(std::shared_ptr<const Sound> s, int engineRate) : rate_(engineRate) {
    setSound(std::move(s));
    state.ratio = double(engineRate) / sound->format.sampleRate;
}

Voice::~Voice() {
    if (resampler_)
        src_delete(resampler_);
}

void Voice::setSound(std::shared_ptr<const Sound> s) {
    sound = std::move(s);
    state.frames = sound->frames();
    channels = sound->format.channels;
    scratch_.assign(std::size_t(chunkFrames) * channels, 0.0f);
    if (resampler_)
        src_delete(resampler_);
    int error = 0;
    resampler_ = src_new(SRC_SINC_FASTEST, channels, &error);
    makeStretcher();
}

void Voice::swapSound(Voice& other) {
    std::swap(sound, other.sound);
    std::swap(resampler_, other.resampler_);
    std::swap(scratch_, other.scratch_);
    std::swap(stretcher, other.stretcher);
    std::swap(stretchInput_, other.stretchInput_);
    std::swap(channels, other.channels);
    state.frames = other.state.frames;
    state.ratio = other.state.ratio;
}

// The stretcher changes the pace of the sound at the engine's rate and keeps
// its pitch. Its settings are the ones tuned for speech (short sequences: a
// voice's syllables are not smeared). Its buffers grow only to what the
// largest step at the slowest and the fastest speed needs; they are grown
// here by running such steps once, so that the stream's callback never
// allocates.
void Voice::makeStretcher() {
    stretcher.reset();
    stretchInput_.assign(std::size_t(chunkFrames) * channels, 0.0f);
    if (channels > maxStretchChannels)
        return;
    stretcher = std::make_unique<soundtouch::SoundTouch>();
    stretcher->setSampleRate(uint(rate_));
    stretcher->setChannels(uint(channels));
    stretcher->setSetting(SETTING_SEQUENCE_MS, 40);
    stretcher->setSetting(SETTING_SEEKWINDOW_MS, 15);
    stretcher->setSetting(SETTING_OVERLAP_MS, 8);
    std::vector<float> out(std::size_t(chunkFrames) * channels);
    for (const double speed : {VoiceState::minSpeed, VoiceState::maxSpeed}) {
        stretcher->setTempo(speed);
        for (int step = 0; step < 64; ++step) {
            while (stretcher->numSamples() < uint(chunkFrames))
                stretcher->putSamples(stretchInput_.data(), chunkFrames);
            stretcher->receiveSamples(out.data(), chunkFrames);
        }
        stretcher->clear();
    }
}

int Voice::pull(float* into, int frames) {
    // Nothing past the stop is ever taken, so no converter or stretcher
    // can hold a frame of what follows it.
    const long long total = state.end();
    if (state.ratio == 1.0) {
        const int produced = int(std::min<long long>(frames, total - cursor));
        std::copy_n(sound->frame(cursor), std::size_t(produced) * channels, into);
        cursor += produced;
        return produced;
    }
    if (resetResampler) {
        src_reset(resampler_);
        resetResampler = false;
    }
    // The whole rest of the sound is at hand, so the converter may run to
    // its end; it takes only what the buffer needs.
    SRC_DATA data{};
    data.src_ratio = state.ratio;
    data.end_of_input = 1;
    int produced = 0;
    while (produced < frames) {
        data.data_in = sound->frame(cursor);
        data.input_frames = long(total - cursor);
        data.data_out = into + std::size_t(produced) * channels;
        data.output_frames = frames - produced;
        if (src_process(resampler_, &data) != 0 || data.output_frames_gen == 0)
            break;
        cursor += data.input_frames_used;
        produced += int(data.output_frames_gen);
    }
    return produced;
}

int Voice::stretch(float* out, int frames) {
    float* input = stretchInput_.data();
    if (resetStretcher) {
        stretcher->clear();
        stretcher->setTempo(state.speed);
        resetStretcher = false;
        sourceDone = false;
        tailFed = 0;
    }
    const int tail = int(stretchTailSeconds * rate_);
    while (stretcher->numSamples() < uint(frames)) {
        if (!sourceDone) {
            const int n = pull(input, chunkFrames);
            stretcher->putSamples(input, uint(n));
            sourceDone = n < chunkFrames;
            if (sourceDone)
                std::fill(stretchInput_.begin(), stretchInput_.end(), 0.0f);
        } else if (tailFed < tail) {
            stretcher->putSamples(input, uint(chunkFrames));
            tailFed += chunkFrames;
        } else {
            break;
        }
    }
    return int(stretcher->receiveSamples(out, uint(frames)));
}

void Voice::mixInto(float* out, int frames, int outChannels) {
    float* scratch = scratch_.data();
    int produced = 0;
    if (!drained) {
        produced = state.speed == 1.0 ? pull(scratch, frames) : stretch(scratch, frames);
        if (produced < frames)
            drained = true;
        // A converter or stretcher gives out what it holds a little after
        // its input: the stop is heard at the frame the voice's clock puts
        // it on. (While a voice is kept in step after a change of device its
        // run has no such frame; only its input is cut then.)
        if (state.stopAt < state.frames && !keepTime) {
            const long long last =
                std::llround(double(state.stopAt - state.runStart) * state.ratio / state.speed);
            if (state.rendered + produced >= last) {
                produced = int(std::clamp(last - state.rendered, 0LL, (long long)produced));
                drained = true;
            }
        }
    }
    state.rendered += frames;
    for (int i = 0; i < produced; ++i) {
        const float* source = scratch + std::size_t(i) * channels;
        float* target = out + std::size_t(i) * outChannels;
        if (outChannels == 1) {
            float sum = 0;
            for (int c = 0; c < channels; ++c)
                sum += source[c];
            target[0] += sum / channels;
        } else if (channels == 1) {
            for (int c = 0; c < outChannels; ++c)
                target[c] += source[0];
        } else {
            for (int c = 0; c < std::min(channels, outChannels); ++c)
                target[c] += source[c];
        }
    }
}

}  // namespace lectern::platform
