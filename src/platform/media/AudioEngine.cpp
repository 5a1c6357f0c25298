#include "platform/media/AudioEngine.h"

#include "platform/Error.h"
#include "platform/media/RecordingWriter.h"
#include "platform/media/SilentDevice.h"
#include "platform/media/Sound.h"

#include <samplerate.h>
#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace lectern::platform {

namespace {
// Buffers of any size are mixed in chunks of at most this many frames, the
// size of every scratch buffer.
constexpr int chunkFrames = 1024;
// Voices are kept in a list reserved once, so adding one never allocates
// while the device waits.
constexpr std::size_t maxVoices = 64;
}  // namespace

class AudioEngine::Voice {
  public:
    enum class Mode { Idle, Playing, Recording };

    explicit Voice(std::shared_ptr<const Sound> s) { setSound(std::move(s)); }
    ~Voice() {
        if (resampler)
            src_delete(resampler);
    }

    void setSound(std::shared_ptr<const Sound> s) {
        sound = std::move(s);
        frames = sound->frames();
        channels = sound->format.channels;
        scratch.assign(std::size_t(chunkFrames) * channels, 0.0f);
        if (resampler)
            src_delete(resampler);
        int error = 0;
        resampler = src_new(SRC_SINC_FASTEST, channels, &error);
    }

    std::shared_ptr<const Sound> sound;
    long long frames = 0;
    int channels = 1;
    SRC_STATE* resampler = nullptr;
    // Device frames per frame of the sound.
    double ratio = 1;
    Mode mode = Mode::Idle;
    long long restFrame = 0;

    // The current run of playing: where it began in the sound, the next
    // frame fed to the mixer, and the device frames rendered since.
    long long runStart = 0;
    long long cursor = 0;
    long long rendered = 0;
    bool resetResampler = false;
    bool drained = false;
    // Rendered frame `anchorRendered` reaches the listener at device time
    // `anchorTime`; set on every buffer.
    bool anchored = false;
    double anchorTime = 0;
    long long anchorRendered = 0;
    long long lastHeard = 0;

    RecordingWriter* writer = nullptr;
    long long recordStart = 0;
    long long recorded = 0;

    std::vector<float> scratch;
};

AudioEngine::AudioEngine(CourseFiles& files, std::unique_ptr<AudioDevice> device, Fallback fallback)
    : files_(files), fallback_(std::move(fallback)), device_(std::move(device)) {
    voices_.reserve(maxVoices);
    mono_.assign(chunkFrames, 0.0f);
    startDevice();
    QObject::connect(&watchdog_, &QTimer::timeout, [this] { checkDevice(); });
    if (QCoreApplication::instance())
        watchdog_.start(200);
}

AudioEngine::AudioEngine(CourseFiles& files, Opener open, Fallback fallback)
    : files_(files), fallback_(std::move(fallback)), opener_(std::move(open)) {
    voices_.reserve(maxVoices);
    mono_.assign(chunkFrames, 0.0f);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] { checkDevice(); });
    if (QCoreApplication::instance())
        watchdog_.start(200);
}

void AudioEngine::openDeviceAside() {
    if (opener_)
        opening_ = std::async(std::launch::async, std::exchange(opener_, nullptr));
}

void AudioEngine::startDevice() {
    if (!device_)
        device_ = std::make_unique<SilentDevice>();
    format_ = device_->format();
    if (!device_->start(*this)) {
        device_ = makeFallback();
        format_ = device_->format();
        device_->start(*this);
    }
}

void AudioEngine::ensureDevice() {
    if (opening_.valid())
        device_ = opening_.get();
    else if (opener_)
        device_ = std::exchange(opener_, nullptr)();
    else
        return;
    startDevice();
}

AudioEngine::~AudioEngine() {
    watchdog_.stop();
    // A device still being opened is waited for, and closed unstarted.
    if (opening_.valid())
        device_ = opening_.get();
    if (device_)
        device_->stop();
    for (Voice* voice : voices_)
        delete voice;
}

QString AudioEngine::deviceName() {
    ensureDevice();
    return device_->name();
}

AudioDevice::Format AudioEngine::format() {
    ensureDevice();
    return format_;
}

std::unique_ptr<AudioDevice> AudioEngine::makeFallback() {
    std::unique_ptr<AudioDevice> device;
    if (fallback_)
        device = fallback_(format_);
    if (!device)
        device = std::make_unique<SilentDevice>(format_);
    return device;
}

void AudioEngine::checkDevice() {
    // The watchdog neither opens the device nor waits for it.
    if (opener_ || (opening_.valid() &&
                    opening_.wait_for(std::chrono::seconds(0)) != std::future_status::ready))
        return;
    ensureDevice();
    if (!device_->failed())
        return;
    auto fresh = makeFallback();
    {
        std::lock_guard lock(mutex_);
        const double now = device_->now();
        for (Voice* voice : voices_)
            if (voice->mode == Voice::Mode::Playing) {
                const long long heard = heardLocked(*voice, now);
                if (voice->mode == Voice::Mode::Playing)
                    rebaseLocked(*voice, heard);
            }
        suspended_ = true;
    }
    device_->stop();
    std::unique_ptr<AudioDevice> old;
    {
        std::lock_guard lock(mutex_);
        old = std::exchange(device_, std::move(fresh));
        format_.outputChannels = device_->format().outputChannels;
        format_.inputChannels = device_->format().inputChannels;
        suspended_ = false;
    }
    old.reset();
    if (!device_->start(*this)) {
        // Even the fallback refuses: a silent clock always runs.
        auto silent = std::make_unique<SilentDevice>(format_);
        silent->start(*this);
        std::lock_guard lock(mutex_);
        old = std::exchange(device_, std::move(silent));
    }
}

AudioEngine::Voice* AudioEngine::addVoice(std::shared_ptr<const Sound> sound) {
    ensureDevice();
    checkDevice();
    auto voice = std::make_unique<Voice>(std::move(sound));
    voice->ratio = double(format_.sampleRate) / voice->sound->format.sampleRate;
    std::lock_guard lock(mutex_);
    if (voices_.size() >= maxVoices)
        throw EMCIDeviceError(QStringLiteral("Too many sounds open at once"));
    voices_.push_back(voice.get());
    return voice.release();
}

void AudioEngine::removeVoice(Voice* voice) {
    {
        std::lock_guard lock(mutex_);
        voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
    }
    delete voice;
}

void AudioEngine::replaceSound(Voice* voice, std::shared_ptr<const Sound> sound, long long frame) {
    // The new sound's buffers are made before the device is held up.
    Voice fresh(std::move(sound));
    {
        std::lock_guard lock(mutex_);
        std::swap(voice->sound, fresh.sound);
        std::swap(voice->resampler, fresh.resampler);
        std::swap(voice->scratch, fresh.scratch);
        std::swap(voice->frames, fresh.frames);
        std::swap(voice->channels, fresh.channels);
        voice->ratio = double(format_.sampleRate) / voice->sound->format.sampleRate;
        voice->mode = Voice::Mode::Idle;
        voice->restFrame = std::clamp(frame, 0LL, voice->frames);
    }
    // `fresh` now holds the old sound and frees it here, on this thread.
}

void AudioEngine::rebaseLocked(Voice& voice, long long frame) {
    voice.runStart = frame;
    voice.cursor = frame;
    voice.rendered = 0;
    voice.resetResampler = true;
    voice.drained = frame >= voice.frames;
    voice.anchored = false;
    voice.lastHeard = frame;
}

void AudioEngine::play(Voice* voice, long long fromFrame) {
    checkDevice();
    std::lock_guard lock(mutex_);
    voice->mode = Voice::Mode::Playing;
    rebaseLocked(*voice, std::clamp(fromFrame, 0LL, voice->frames));
}

void AudioEngine::halt(Voice* voice) {
    checkDevice();
    std::lock_guard lock(mutex_);
    const long long heard = heardLocked(*voice, device_->now());
    voice->mode = Voice::Mode::Idle;
    voice->restFrame = heard;
}

void AudioEngine::moveTo(Voice* voice, long long frame) {
    std::lock_guard lock(mutex_);
    voice->mode = Voice::Mode::Idle;
    voice->restFrame = std::clamp(frame, 0LL, voice->frames);
}

bool AudioEngine::isPlaying(Voice* voice) {
    checkDevice();
    std::lock_guard lock(mutex_);
    heardLocked(*voice, device_->now());
    return voice->mode == Voice::Mode::Playing;
}

bool AudioEngine::isRecording(Voice* voice) {
    std::lock_guard lock(mutex_);
    return voice->mode == Voice::Mode::Recording;
}

long long AudioEngine::position(Voice* voice) {
    checkDevice();
    std::lock_guard lock(mutex_);
    return heardLocked(*voice, device_->now());
}

long long AudioEngine::heardLocked(Voice& voice, double now) {
    switch (voice.mode) {
        case Voice::Mode::Idle:
            return voice.restFrame;
        case Voice::Mode::Recording:
            return voice.recordStart + std::llround(double(voice.recorded) / voice.ratio);
        case Voice::Mode::Playing:
            break;
    }
    if (!voice.anchored)
        return voice.lastHeard;
    double heardDevice =
        double(voice.anchorRendered) + (now - voice.anchorTime) * format_.sampleRate;
    heardDevice = std::clamp(heardDevice, 0.0, double(voice.rendered));
    long long heard = voice.runStart + std::llround(heardDevice / voice.ratio);
    heard = std::clamp(heard, voice.lastHeard, voice.frames);
    voice.lastHeard = heard;
    if (heard >= voice.frames) {
        voice.mode = Voice::Mode::Idle;
        voice.restFrame = voice.frames;
    }
    return heard;
}

void AudioEngine::startRecording(Voice* voice, RecordingWriter* writer, long long frame) {
    checkDevice();
    std::lock_guard lock(mutex_);
    voice->mode = Voice::Mode::Recording;
    voice->writer = writer;
    voice->recordStart = frame;
    voice->recorded = 0;
}

void AudioEngine::stopRecording(Voice* voice) {
    std::lock_guard lock(mutex_);
    if (voice->mode == Voice::Mode::Recording) {
        voice->restFrame = heardLocked(*voice, 0);
        voice->mode = Voice::Mode::Idle;
    }
    voice->writer = nullptr;
}

void AudioEngine::render(float* out, const float* in, int frames, double playTime) {
    std::lock_guard lock(mutex_);
    const int outChannels = format_.outputChannels;
    std::fill_n(out, std::size_t(frames) * outChannels, 0.0f);
    if (suspended_)
        return;
    for (Voice* voice : voices_)
        if (voice->mode == Voice::Mode::Playing) {
            voice->anchored = true;
            voice->anchorTime = playTime;
            voice->anchorRendered = voice->rendered;
        }
    const int inChannels = format_.inputChannels;
    for (int offset = 0; offset < frames; offset += chunkFrames) {
        const int n = std::min(chunkFrames, frames - offset);
        const float* mono = nullptr;
        if (in && inChannels > 0) {
            const float* source = in + std::size_t(offset) * inChannels;
            for (int i = 0; i < n; ++i) {
                float sum = 0;
                for (int c = 0; c < inChannels; ++c)
                    sum += source[i * inChannels + c];
                mono_[i] = sum / inChannels;
            }
            mono = mono_.data();
        }
        for (Voice* voice : voices_) {
            if (voice->mode == Voice::Mode::Playing)
                renderVoice(*voice, out + std::size_t(offset) * outChannels, n);
            else if (voice->mode == Voice::Mode::Recording && voice->writer) {
                voice->writer->push(mono, n);
                voice->recorded += n;
            }
        }
    }
    for (std::size_t i = 0, count = std::size_t(frames) * outChannels; i < count; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void AudioEngine::renderVoice(Voice& voice, float* out, int frames) {
    const int channels = voice.channels;
    float* scratch = voice.scratch.data();
    int produced = 0;
    if (!voice.drained) {
        if (voice.ratio == 1.0) {
            produced = int(std::min<long long>(frames, voice.frames - voice.cursor));
            std::copy_n(voice.sound->frame(voice.cursor), std::size_t(produced) * channels,
                        scratch);
            voice.cursor += produced;
        } else {
            if (voice.resetResampler) {
                src_reset(voice.resampler);
                voice.resetResampler = false;
            }
            // The whole rest of the sound is at hand, so the converter may
            // run to its end; it takes only what the buffer needs.
            SRC_DATA data{};
            data.src_ratio = voice.ratio;
            data.end_of_input = 1;
            while (produced < frames) {
                data.data_in = voice.sound->frame(voice.cursor);
                data.input_frames = long(voice.frames - voice.cursor);
                data.data_out = scratch + std::size_t(produced) * channels;
                data.output_frames = frames - produced;
                if (src_process(voice.resampler, &data) != 0 || data.output_frames_gen == 0)
                    break;
                voice.cursor += data.input_frames_used;
                produced += int(data.output_frames_gen);
            }
        }
        if (produced < frames)
            voice.drained = true;
    }
    voice.rendered += frames;
    if (produced == 0)
        return;
    const int outChannels = format_.outputChannels;
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
