#include "platform/media/AudioEngine.h"

#include "platform/Error.h"
#include "platform/media/DeviceOpening.h"
#include "platform/media/RecordingWriter.h"
#include "platform/media/SilentDevice.h"
#include "platform/media/Sound.h"

#include <SoundTouch.h>
#include <samplerate.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>

namespace lectern::platform {

namespace {
// Buffers of any size are mixed in chunks of at most this many frames, the
// size of every scratch buffer.
constexpr int chunkFrames = 1024;
// Voices are kept in a list reserved once, so adding one never allocates
// while the device waits.
constexpr std::size_t maxVoices = 64;
// The playback stream stays open this long after the last sound, so that
// the next passage played starts on a running stream.
constexpr double idleSeconds = 10;
// How often a missing or failed device is tried again while sound is wanted.
constexpr double retrySeconds = 2;
// How long the voices wait for a device to open before they go on on the
// silent clock.
constexpr double openSeconds = 2;
// How often the engine's thread looks at running streams.
constexpr double watchSeconds = 0.25;
// A gap longer than this before a capture stream's first buffer is not
// filled with silence: the clocks do not agree.
constexpr double maxGapSeconds = 5;
// A stream that takes a voice over from another may start late and stall at
// first (a sound server that has just started): for this long the voice
// stays on the old clock and the stream's sound is moved to it whenever it
// is further off than `stepTolerance`.
constexpr double keepSeconds = 3;
constexpr double stepTolerance = 0.05;
// The stretcher takes sounds of up to this many channels; a voice with more
// always plays at its own speed.
constexpr int maxStretchChannels = 16;
// After its sound's last frame a stretcher is fed this much silence (in
// seconds), which brings out what it still holds.
constexpr double stretchTailSeconds = 0.2;

double monotonicSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

// Where a voice stands. Written only under the engine's mutex, by whichever
// thread changes it, and published after every change.
struct AudioEngine::State {
    enum class Mode { Idle, Playing, Recording };
    Mode mode = Mode::Idle;
    // Changes whenever the voice starts anew from a frame.
    long long run = 0;
    long long restFrame = 0;
    long long runStart = 0;
    long long frames = 0;
    // Engine frames per frame of the sound.
    double ratio = 1;
    // Frames of the sound heard per frame of the sound's own time: each
    // rendered frame stands for `speed` frames at the sound's pace.
    double speed = 1;
    // Rendered frame `anchorRendered` of the run reaches the listener at
    // `anchorTime` on `clock`; no clock until the run's first buffer.
    const AudioDevice* clock = nullptr;
    double anchorTime = 0;
    long long anchorRendered = 0;
    long long rendered = 0;
    long long recordStart = 0;
    long long recorded = 0;
};

namespace {

// A voice's state for readers on other threads, without locks: a sequence
// lock whose writers are serialised by the engine's mutex.
class PublishedState {
  public:
    template <typename State>
    void store(const State& s) {
        const unsigned long long seq = seq_.load(std::memory_order_relaxed);
        seq_.store(seq + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        mode_.store(int(s.mode), std::memory_order_relaxed);
        run_.store(s.run, std::memory_order_relaxed);
        restFrame_.store(s.restFrame, std::memory_order_relaxed);
        runStart_.store(s.runStart, std::memory_order_relaxed);
        frames_.store(s.frames, std::memory_order_relaxed);
        ratio_.store(s.ratio, std::memory_order_relaxed);
        speed_.store(s.speed, std::memory_order_relaxed);
        clock_.store(s.clock, std::memory_order_relaxed);
        anchorTime_.store(s.anchorTime, std::memory_order_relaxed);
        anchorRendered_.store(s.anchorRendered, std::memory_order_relaxed);
        rendered_.store(s.rendered, std::memory_order_relaxed);
        recordStart_.store(s.recordStart, std::memory_order_relaxed);
        recorded_.store(s.recorded, std::memory_order_relaxed);
        seq_.store(seq + 2, std::memory_order_release);
    }

    template <typename State>
    State load() const {
        State s;
        for (;;) {
            const unsigned long long seq = seq_.load(std::memory_order_acquire);
            s.mode = typename State::Mode(mode_.load(std::memory_order_relaxed));
            s.run = run_.load(std::memory_order_relaxed);
            s.restFrame = restFrame_.load(std::memory_order_relaxed);
            s.runStart = runStart_.load(std::memory_order_relaxed);
            s.frames = frames_.load(std::memory_order_relaxed);
            s.ratio = ratio_.load(std::memory_order_relaxed);
            s.speed = speed_.load(std::memory_order_relaxed);
            s.clock = clock_.load(std::memory_order_relaxed);
            s.anchorTime = anchorTime_.load(std::memory_order_relaxed);
            s.anchorRendered = anchorRendered_.load(std::memory_order_relaxed);
            s.rendered = rendered_.load(std::memory_order_relaxed);
            s.recordStart = recordStart_.load(std::memory_order_relaxed);
            s.recorded = recorded_.load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if (!(seq & 1) && seq_.load(std::memory_order_relaxed) == seq)
                return s;
        }
    }

  private:
    std::atomic<unsigned long long> seq_{0};
    std::atomic<int> mode_{0};
    std::atomic<long long> run_{0}, restFrame_{0}, runStart_{0}, frames_{0};
    std::atomic<double> ratio_{1}, speed_{1};
    std::atomic<const AudioDevice*> clock_{nullptr};
    std::atomic<double> anchorTime_{0};
    std::atomic<long long> anchorRendered_{0}, rendered_{0}, recordStart_{0}, recorded_{0};
};

}  // namespace

// A device with the engine as the renderer of its streams. A stream renders
// the voices only while its port is the engine's output or input; a
// stream that is starting, or is being given up, renders silence.
class AudioEngine::Port final : public AudioDevice::Renderer {
  public:
    Port(AudioEngine& engine, std::unique_ptr<AudioDevice> device)
        : engine(engine), device(std::move(device)) {}

    void render(float* out, int frames, int channels, double playTime) override {
        engine.render(*this, out, frames, channels, playTime);
    }
    void capture(const float* in, int frames, int channels, double captureTime) override {
        engine.capture(*this, in, frames, channels, captureTime);
    }

    AudioEngine& engine;
    std::unique_ptr<AudioDevice> device;
    bool output = false;
    bool input = false;
};

class AudioEngine::Voice {
  public:
    using Mode = State::Mode;

    Voice(std::shared_ptr<const Sound> s, int engineRate) : rate(engineRate) {
        setSound(std::move(s));
        state.ratio = double(engineRate) / sound->format.sampleRate;
    }
    ~Voice() {
        if (resampler)
            src_delete(resampler);
    }

    void setSound(std::shared_ptr<const Sound> s) {
        sound = std::move(s);
        state.frames = sound->frames();
        channels = sound->format.channels;
        scratch.assign(std::size_t(chunkFrames) * channels, 0.0f);
        if (resampler)
            src_delete(resampler);
        int error = 0;
        resampler = src_new(SRC_SINC_FASTEST, channels, &error);
        makeStretcher();
    }

    // The stretcher changes the pace of the sound at the engine's rate and
    // keeps its pitch. Its settings are the ones tuned for speech (short
    // sequences: a voice's syllables are not smeared). Its buffers grow only
    // to what the largest step at the slowest and the fastest speed needs;
    // they are grown here by running such steps once, so that the stream's
    // callback never allocates.
    void makeStretcher() {
        stretcher.reset();
        stretchInput.assign(std::size_t(chunkFrames) * channels, 0.0f);
        if (channels > maxStretchChannels)
            return;
        stretcher = std::make_unique<soundtouch::SoundTouch>();
        stretcher->setSampleRate(uint(rate));
        stretcher->setChannels(uint(channels));
        stretcher->setSetting(SETTING_SEQUENCE_MS, 40);
        stretcher->setSetting(SETTING_SEEKWINDOW_MS, 15);
        stretcher->setSetting(SETTING_OVERLAP_MS, 8);
        std::vector<float> out(std::size_t(chunkFrames) * channels);
        for (const double speed : {AudioEngine::minSpeed, AudioEngine::maxSpeed}) {
            stretcher->setTempo(speed);
            for (int step = 0; step < 64; ++step) {
                while (stretcher->numSamples() < uint(chunkFrames))
                    stretcher->putSamples(stretchInput.data(), chunkFrames);
                stretcher->receiveSamples(out.data(), chunkFrames);
            }
            stretcher->clear();
        }
    }

    State state;
    PublishedState published;

    std::shared_ptr<const Sound> sound;
    int channels = 1;
    SRC_STATE* resampler = nullptr;
    std::vector<float> scratch;
    int rate = 0;
    std::unique_ptr<soundtouch::SoundTouch> stretcher;
    std::vector<float> stretchInput;

    // The stream's side of the current run: the next frame fed to the mixer.
    long long cursor = 0;
    bool resetResampler = false;
    bool drained = false;
    // The voice runs on the old stream's real-time clock until the new
    // stream's first buffer (see bridgeLocked).
    bool keepTime = false;
    long long keptFrames = 0;
    // The stretcher's side of the run: whether the sound has all been fed to
    // it, and how much silence followed.
    bool resetStretcher = false;
    bool sourceDone = false;
    int tailFed = 0;

    RecordingWriter* writer = nullptr;
    // A capture stream that has just started places its first buffer
    // against `gapFrom` (monotonic seconds), the moment the recording, or
    // the last stream's sound, ended; `captureEnd` is where the last buffer ended.
    bool captureSynced = true;
    double gapFrom = 0;
    double captureEnd = 0;
    // Until the engine has tried the microphone for this recording.
    bool microphoneAsked = false;
    std::function<void()> noMicrophone;

    // The GUI thread's last answer in this run: positions never go back.
    long long shownRun = -1;
    long long shownFrame = 0;
};

AudioEngine::AudioEngine(CourseFiles& files, std::unique_ptr<AudioDevice> device, Fallback fallback)
    : files_(files),
      fallback_(std::move(fallback)),
      rate_(device->format().sampleRate),
      threaded_(!device->immediate()) {
    voices_.reserve(maxVoices);
    mono_.assign(chunkFrames, 0.0f);
    device_ = std::make_unique<Port>(*this, std::move(device));
    lastFormat_ = device_->device->format();
    deviceName_ = device_->device->name();
    if (threaded_)
        thread_ = std::thread([this] { run(); });
}

AudioEngine::AudioEngine(CourseFiles& files, Opener open, int sampleRate, Fallback fallback)
    : files_(files), fallback_(std::move(fallback)), rate_(sampleRate), threaded_(true) {
    voices_.reserve(maxVoices);
    mono_.assign(chunkFrames, 0.0f);
    deviceName_ = QStringLiteral("silent clock");
    // The engine's thread comes back for a device that came late.
    opening_ = std::make_unique<DeviceOpening>(std::move(open), [this] { poke(); });
    thread_ = std::thread([this] { run(); });
}

bool AudioEngine::shutDown(double seconds) {
    if (!threaded_)
        return true;
    std::unique_lock lock(wakeMutex_);
    quit_ = true;
    wake_.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    if (!settled_.wait_until(lock, deadline, [&] { return ended_; }))
        return false;
    lock.unlock();
    if (thread_.joinable())
        thread_.join();
    const std::chrono::duration<double> left = deadline - std::chrono::steady_clock::now();
    return !opening_ || opening_->wait(std::max(0.0, left.count()));
}

AudioEngine::~AudioEngine() {
    if (threaded_) {
        {
            std::lock_guard lock(wakeMutex_);
            quit_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    } else {
        moveOutput(nullptr);
        moveInput(nullptr);
        for (Port* port : {device_.get(), fallbackPort_.get()})
            if (port) {
                port->device->stopOutput();
                port->device->stopInput();
            }
    }
    for (Voice* voice : voices_)
        delete voice;
}

void AudioEngine::openDeviceAside() {
    {
        std::lock_guard lock(wakeMutex_);
        openAside_ = true;
        ++asked_;
    }
    wake_.notify_all();
}

void AudioEngine::poke() {
    if (!threaded_) {
        maintain();
        return;
    }
    {
        std::lock_guard lock(wakeMutex_);
        ++asked_;
    }
    wake_.notify_all();
}

void AudioEngine::settle() {
    if (!threaded_)
        return;
    std::unique_lock lock(wakeMutex_);
    const long long target = ++asked_;
    wake_.notify_all();
    settled_.wait(lock, [&] { return done_ >= target || ended_; });
}

void AudioEngine::run() {
    std::unique_lock lock(wakeMutex_);
    while (!quit_) {
        const long long asked = asked_;
        const bool aside = std::exchange(openAside_, false);
        lock.unlock();
        if (aside)
            openDevice();
        const double next = maintain();
        lock.lock();
        done_ = asked;
        settled_.notify_all();
        const auto askedAgain = [&] { return quit_ || asked_ != asked; };
        if (next < 0)
            wake_.wait(lock, askedAgain);
        else
            wake_.wait_for(lock, std::chrono::duration<double>(next), askedAgain);
    }
    lock.unlock();
    {
        // The voices stand still on no clock: the devices go.
        std::lock_guard voicesLock(mutex_);
        for (Voice* voice : voices_)
            if (voice->state.mode == Voice::Mode::Playing)
                rebaseLocked(*voice, heard(voice->state));
        output_ = nullptr;
    }
    // The streams are closed here, on the thread that opened them.
    moveOutput(nullptr);
    moveInput(nullptr);
    for (Port* port : {device_.get(), fallbackPort_.get()})
        if (port) {
            port->device->stopOutput();
            port->device->stopInput();
        }
    device_.reset();
    fallbackPort_.reset();
    lock.lock();
    ended_ = true;
    settled_.notify_all();
}

QString AudioEngine::deviceName() {
    std::lock_guard lock(mutex_);
    return deviceName_;
}

void AudioEngine::checkDevice() {
    if (!threaded_)
        maintain();
}

AudioEngine::Wants AudioEngine::wanted() {
    std::lock_guard lock(mutex_);
    Wants wants;
    for (Voice* voice : voices_) {
        if (voice->state.mode == Voice::Mode::Playing && !voice->drained)
            wants.output = true;
        if (voice->state.mode == Voice::Mode::Recording)
            wants.input = true;
    }
    return wants;
}

bool AudioEngine::openDevice() {
    if (device_)
        return true;
    if (!opening_)
        return false;
    std::unique_ptr<AudioDevice> device = opening_->take(openSeconds);
    if (!device)
        return false;
    device_ = std::make_unique<Port>(*this, std::move(device));
    lastFormat_ = device_->device->format();
    std::lock_guard lock(mutex_);
    deviceName_ = device_->device->name();
    return true;
}

bool AudioEngine::deviceAnswered() {
    return !device_ && opening_ && opening_->answered();
}

AudioEngine::Port* AudioEngine::fallback() {
    if (!fallbackPort_) {
        AudioDevice::Format format = lastFormat_;
        format.sampleRate = rate_;
        // It stands in for a missing microphone too.
        format.inputChannels = std::max(1, format.inputChannels);
        std::unique_ptr<AudioDevice> device;
        if (fallback_)
            device = fallback_(format);
        if (!device)
            device = std::make_unique<SilentDevice>(format);
        fallbackPort_ = std::make_unique<Port>(*this, std::move(device));
    }
    return fallbackPort_.get();
}

void AudioEngine::giveUpDevice() {
    if (output_ == device_.get()) {
        // The stream stalled before it was found dead: the voices go on
        // from where the clock says they would be by now, so that the
        // lesson keeps in step with the time that passed.
        {
            std::lock_guard lock(mutex_);
            for (Voice* voice : voices_)
                if (voice->state.mode == Voice::Mode::Playing)
                    bridgeLocked(*voice, false);
        }
        moveOutput(nullptr);
    }
    if (input_ == device_.get())
        moveInput(nullptr);
    device_->device->abandon();
    device_->output = device_->input = false;
    abandoned_.push_back(std::move(device_));
    nextTry_ = monotonicSeconds() + retrySeconds;
    std::lock_guard lock(mutex_);
    deviceName_ = QStringLiteral("silent clock");
}

void AudioEngine::moveOutput(Port* port) {
    std::lock_guard lock(mutex_);
    if (output_ == port)
        return;
    for (Voice* voice : voices_)
        if (voice->state.mode == Voice::Mode::Playing)
            bridgeLocked(*voice, true);
    output_ = port;
}

void AudioEngine::moveInput(Port* port) {
    std::lock_guard lock(mutex_);
    if (input_ == port)
        return;
    for (Voice* voice : voices_)
        if (voice->state.mode == Voice::Mode::Recording) {
            voice->captureSynced = false;
            // Before its first buffer a recording counts from its start.
            if (voice->captureEnd > 0)
                voice->gapFrom = voice->captureEnd;
        }
    input_ = port;
}

double AudioEngine::maintain() {
    const Wants wants = wanted();
    const double now = monotonicSeconds();
    if (wants.output)
        lastSound_ = now;
    if (device_ && (device_->output || device_->input) && device_->device->failed())
        giveUpDevice();
    const bool mayTry = now >= nextTry_ || deviceAnswered();
    const auto tryDevice = [&](bool output) {
        if (!mayTry)
            return false;
        if (!openDevice()) {
            nextTry_ = now + retrySeconds;
            return false;
        }
        Port& port = *device_;
        const bool started = output ? port.output || port.device->startOutput(port)
                                    : port.input || port.device->startInput(port);
        if (!started) {
            nextTry_ = now + retrySeconds;
            return false;
        }
        (output ? port.output : port.input) = true;
        return true;
    };

    // Before the device is first opened both sides are null: that is not
    // "already on the device", so the first sound tries it at once.
    const auto onDevice = [&](Port* side) { return device_ && side == device_.get(); };
    if (wants.output) {
        if (!onDevice(output_) && tryDevice(true)) {
            moveOutput(device_.get());
            if (fallbackPort_ && fallbackPort_->output) {
                fallbackPort_->device->stopOutput();
                fallbackPort_->output = false;
            }
        }
        if (!output_) {
            Port* port = fallback();
            port->output = port->device->startOutput(*port);
            moveOutput(port);
        }
    } else if (output_ && now - lastSound_ >= idleSeconds) {
        Port* port = output_;
        moveOutput(nullptr);
        port->device->stopOutput();
        port->output = false;
    }

    if (wants.input) {
        if (!onDevice(input_) && tryDevice(false)) {
            moveInput(device_.get());
            if (fallbackPort_ && fallbackPort_->input) {
                fallbackPort_->device->stopInput();
                fallbackPort_->input = false;
            }
        }
        if (!input_) {
            Port* port = fallback();
            port->input = port->device->startInput(*port);
            moveInput(port);
        }
        // Known only once the device was asked (it is, unless a failed one
        // waits for its next try).
        if (onDevice(input_) || mayTry)
            answerMicrophone(onDevice(input_));
    } else if (input_) {
        Port* port = input_;
        moveInput(nullptr);
        port->device->stopInput();
        port->input = false;
    }

    {
        std::lock_guard lock(mutex_);
        const bool silent = !device_ || (output_ && output_ == fallbackPort_.get());
        deviceName_ = silent ? QStringLiteral("silent clock") : device_->device->name();
    }
    return output_ || input_ ? watchSeconds : -1;
}

void AudioEngine::answerMicrophone(bool found) {
    std::lock_guard lock(mutex_);
    for (Voice* voice : voices_)
        if (voice->state.mode == Voice::Mode::Recording && voice->microphoneAsked) {
            voice->microphoneAsked = false;
            if (!found && !toldNoMicrophone_ && voice->noMicrophone) {
                voice->noMicrophone();
                toldNoMicrophone_ = true;
            }
        }
    if (found)
        toldNoMicrophone_ = false;
}

AudioEngine::Voice* AudioEngine::addVoice(std::shared_ptr<const Sound> sound) {
    auto voice = std::make_unique<Voice>(std::move(sound), rate_);
    std::lock_guard lock(mutex_);
    if (voices_.size() >= maxVoices)
        throw EMCIDeviceError(QStringLiteral("Too many sounds open at once"));
    publishLocked(*voice);
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
    Voice fresh(std::move(sound), rate_);
    {
        std::lock_guard lock(mutex_);
        std::swap(voice->sound, fresh.sound);
        std::swap(voice->resampler, fresh.resampler);
        std::swap(voice->scratch, fresh.scratch);
        std::swap(voice->stretcher, fresh.stretcher);
        std::swap(voice->stretchInput, fresh.stretchInput);
        std::swap(voice->channels, fresh.channels);
        voice->state.frames = fresh.state.frames;
        voice->state.ratio = fresh.state.ratio;
        if (!voice->stretcher)
            voice->state.speed = 1;
        voice->state.mode = Voice::Mode::Idle;
        voice->state.restFrame = std::clamp(frame, 0LL, voice->state.frames);
        voice->state.run++;
        publishLocked(*voice);
    }
    // `fresh` now holds the old sound and frees it here, on this thread.
}

void AudioEngine::publishLocked(Voice& voice) {
    voice.published.store(voice.state);
}

void AudioEngine::rebaseLocked(Voice& voice, long long frame) {
    State& s = voice.state;
    s.run++;
    s.runStart = frame;
    s.rendered = 0;
    s.clock = nullptr;
    voice.cursor = frame;
    voice.resetResampler = true;
    voice.resetStretcher = true;
    voice.drained = frame >= s.frames;
    voice.keepTime = false;
    publishLocked(voice);
}

void AudioEngine::bridgeLocked(Voice& voice, bool onlyRendered) {
    State& s = voice.state;
    const AudioDevice* clock = s.clock;
    rebaseLocked(voice, heard(s, onlyRendered));
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
    publishLocked(voice);
}

bool AudioEngine::keepInStepLocked(Voice& voice, const AudioDevice& device, double playTime,
                                   int frames) {
    State& s = voice.state;
    // When this buffer is heard, on the clock the voice runs on.
    const double at = device.realTime() ? playTime - device.now() + s.clock->now() : s.clock->now();
    const long long target = std::min(
        s.runStart + std::llround(std::max(0.0, at - s.anchorTime) * rate_ * s.speed / s.ratio),
        s.frames);
    const bool first = voice.keptFrames == 0;
    if (first ||
        std::llabs(voice.cursor - target) > std::llround(stepTolerance * rate_ / s.ratio)) {
        voice.cursor = target;
        voice.resetResampler = true;
        voice.resetStretcher = true;
        voice.drained = target >= s.frames;
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

long long AudioEngine::heard(const State& s, bool onlyRendered) const {
    switch (s.mode) {
        case State::Mode::Idle:
            return s.restFrame;
        case State::Mode::Recording:
            return s.recordStart + std::llround(double(s.recorded) / s.ratio);
        case State::Mode::Playing:
            break;
    }
    if (!s.clock)
        return s.runStart;
    double heardEngine = double(s.anchorRendered) + (s.clock->now() - s.anchorTime) * rate_;
    heardEngine = std::max(heardEngine, 0.0);
    if (onlyRendered)
        heardEngine = std::min(heardEngine, double(s.rendered));
    return std::min(s.runStart + std::llround(heardEngine * s.speed / s.ratio), s.frames);
}

long long AudioEngine::position(Voice* voice) {
    if (!threaded_)
        maintain();
    const State s = voice->published.load<State>();
    long long frame = heard(s);
    if (s.mode != State::Mode::Playing)
        return frame;
    if (voice->shownRun == s.run)
        frame = std::max(frame, voice->shownFrame);
    voice->shownRun = s.run;
    voice->shownFrame = frame;
    if (frame >= s.frames) {
        std::lock_guard lock(mutex_);
        if (voice->state.run == s.run && voice->state.mode == State::Mode::Playing) {
            voice->state.mode = State::Mode::Idle;
            voice->state.restFrame = voice->state.frames;
            publishLocked(*voice);
        }
    }
    return frame;
}

long long AudioEngine::positionLocked(Voice& voice) {
    long long frame = heard(voice.state);
    if (voice.state.mode == State::Mode::Playing && voice.shownRun == voice.state.run)
        frame = std::max(frame, voice.shownFrame);
    return frame;
}

void AudioEngine::play(Voice* voice, long long fromFrame) {
    {
        std::lock_guard lock(mutex_);
        voice->state.mode = Voice::Mode::Playing;
        rebaseLocked(*voice, std::clamp(fromFrame, 0LL, voice->state.frames));
    }
    poke();
}

void AudioEngine::halt(Voice* voice) {
    if (!threaded_)
        maintain();
    std::lock_guard lock(mutex_);
    voice->state.restFrame = positionLocked(*voice);
    voice->state.mode = Voice::Mode::Idle;
    publishLocked(*voice);
}

void AudioEngine::moveTo(Voice* voice, long long frame) {
    std::lock_guard lock(mutex_);
    voice->state.mode = Voice::Mode::Idle;
    voice->state.restFrame = std::clamp(frame, 0LL, voice->state.frames);
    publishLocked(*voice);
}

void AudioEngine::setSpeed(Voice* voice, double speed) {
    if (!threaded_)
        maintain();
    std::lock_guard lock(mutex_);
    speed = voice->stretcher ? std::clamp(speed, minSpeed, maxSpeed) : 1.0;
    if (voice->state.mode == Voice::Mode::Playing && speed != voice->state.speed) {
        // The new pace starts from what the listener hears now.
        const long long frame = positionLocked(*voice);
        voice->state.speed = speed;
        rebaseLocked(*voice, frame);
    } else {
        voice->state.speed = speed;
        publishLocked(*voice);
    }
}

double AudioEngine::speed(Voice* voice) {
    return voice->state.speed;
}

bool AudioEngine::isPlaying(Voice* voice) {
    position(voice);
    // Only this thread changes the mode.
    return voice->state.mode == Voice::Mode::Playing;
}

bool AudioEngine::isRecording(Voice* voice) {
    return voice->state.mode == Voice::Mode::Recording;
}

void AudioEngine::startRecording(Voice* voice, RecordingWriter* writer, long long frame,
                                 std::function<void()> noMicrophone) {
    {
        std::lock_guard lock(mutex_);
        // Swapped, not assigned: nothing is allocated or freed under the lock.
        std::swap(voice->noMicrophone, noMicrophone);
        voice->microphoneAsked = true;
        State& s = voice->state;
        s.mode = Voice::Mode::Recording;
        s.recordStart = frame;
        s.recorded = 0;
        voice->writer = writer;
        voice->captureSynced = false;
        voice->gapFrom = monotonicSeconds();
        voice->captureEnd = 0;
        publishLocked(*voice);
    }
    poke();
}

void AudioEngine::stopRecording(Voice* voice) {
    {
        std::lock_guard lock(mutex_);
        if (voice->state.mode == Voice::Mode::Recording) {
            // What the stream heard before the Stop but has not delivered
            // yet (its latency) is kept as silence: the recording lasts
            // until the Stop.
            const double gap = monotonicSeconds() - voice->captureEnd;
            if (voice->writer && voice->captureSynced && input_ && input_->device->realTime() &&
                voice->captureEnd > 0 && gap > 0 && gap < maxGapSeconds) {
                const int silence = int(std::llround(gap * rate_));
                voice->writer->push(nullptr, silence);
                voice->state.recorded += silence;
            }
            voice->state.restFrame = heard(voice->state);
            voice->state.mode = Voice::Mode::Idle;
        }
        voice->writer = nullptr;
        publishLocked(*voice);
    }
    poke();
}

void AudioEngine::render(Port& port, float* out, int frames, int channels, double playTime) {
    std::fill_n(out, std::size_t(frames) * channels, 0.0f);
    std::lock_guard lock(mutex_);
    if (&port != output_)
        return;
    for (Voice* voice : voices_)
        if (voice->state.mode == Voice::Mode::Playing) {
            if (voice->keepTime && keepInStepLocked(*voice, *port.device, playTime, frames))
                continue;
            voice->state.clock = port.device.get();
            voice->state.anchorTime = playTime;
            voice->state.anchorRendered = voice->state.rendered;
        }
    for (int offset = 0; offset < frames; offset += chunkFrames) {
        const int n = std::min(chunkFrames, frames - offset);
        for (Voice* voice : voices_)
            if (voice->state.mode == Voice::Mode::Playing)
                renderVoice(*voice, out + std::size_t(offset) * channels, n, channels);
    }
    for (Voice* voice : voices_)
        if (voice->state.mode == Voice::Mode::Playing)
            publishLocked(*voice);
    for (std::size_t i = 0, count = std::size_t(frames) * channels; i < count; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void AudioEngine::capture(Port& port, const float* in, int frames, int channels,
                          double captureTime) {
    std::lock_guard lock(mutex_);
    if (&port != input_)
        return;
    // On a real-time clock the buffer's time compares with the moment the
    // recording started: the capture stream's start-up delay, or the gap
    // while one stream gave way to another, becomes silence.
    const AudioDevice& device = *port.device;
    const double heardAt = device.realTime() ? captureTime - device.now() + monotonicSeconds() : 0;
    for (Voice* voice : voices_) {
        if (voice->state.mode != Voice::Mode::Recording || !voice->writer)
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
            if (voice->state.mode == Voice::Mode::Recording && voice->writer) {
                voice->writer->push(mono, n);
                voice->state.recorded += n;
            }
    }
    for (Voice* voice : voices_)
        if (voice->state.mode == Voice::Mode::Recording)
            publishLocked(*voice);
}

int AudioEngine::pull(Voice& voice, float* into, int frames) {
    const int channels = voice.channels;
    const long long total = voice.state.frames;
    if (voice.state.ratio == 1.0) {
        const int produced = int(std::min<long long>(frames, total - voice.cursor));
        std::copy_n(voice.sound->frame(voice.cursor), std::size_t(produced) * channels, into);
        voice.cursor += produced;
        return produced;
    }
    if (voice.resetResampler) {
        src_reset(voice.resampler);
        voice.resetResampler = false;
    }
    // The whole rest of the sound is at hand, so the converter may run to
    // its end; it takes only what the buffer needs.
    SRC_DATA data{};
    data.src_ratio = voice.state.ratio;
    data.end_of_input = 1;
    int produced = 0;
    while (produced < frames) {
        data.data_in = voice.sound->frame(voice.cursor);
        data.input_frames = long(total - voice.cursor);
        data.data_out = into + std::size_t(produced) * channels;
        data.output_frames = frames - produced;
        if (src_process(voice.resampler, &data) != 0 || data.output_frames_gen == 0)
            break;
        voice.cursor += data.input_frames_used;
        produced += int(data.output_frames_gen);
    }
    return produced;
}

int AudioEngine::stretch(Voice& voice, float* out, int frames) {
    soundtouch::SoundTouch& stretcher = *voice.stretcher;
    float* input = voice.stretchInput.data();
    if (voice.resetStretcher) {
        stretcher.clear();
        stretcher.setTempo(voice.state.speed);
        voice.resetStretcher = false;
        voice.sourceDone = false;
        voice.tailFed = 0;
    }
    const int tail = int(stretchTailSeconds * rate_);
    while (stretcher.numSamples() < uint(frames)) {
        if (!voice.sourceDone) {
            const int n = pull(voice, input, chunkFrames);
            stretcher.putSamples(input, uint(n));
            voice.sourceDone = n < chunkFrames;
            if (voice.sourceDone)
                std::fill(voice.stretchInput.begin(), voice.stretchInput.end(), 0.0f);
        } else if (voice.tailFed < tail) {
            stretcher.putSamples(input, uint(chunkFrames));
            voice.tailFed += chunkFrames;
        } else {
            break;
        }
    }
    return int(stretcher.receiveSamples(out, uint(frames)));
}

void AudioEngine::renderVoice(Voice& voice, float* out, int frames, int outChannels) {
    const int channels = voice.channels;
    float* scratch = voice.scratch.data();
    int produced = 0;
    if (!voice.drained) {
        produced = voice.state.speed == 1.0 ? pull(voice, scratch, frames)
                                            : stretch(voice, scratch, frames);
        if (produced < frames)
            voice.drained = true;
    }
    voice.state.rendered += frames;
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
