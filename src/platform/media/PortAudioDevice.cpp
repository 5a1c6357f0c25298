#include "platform/media/PortAudioDevice.h"

#include "platform/media/MonotonicClock.h"
#include "platform/media/PortAudioLibrary.h"

#include <portaudio.h>
#include <algorithm>

namespace lectern::platform {

namespace {
// A stream that has run for a while and then has not asked for a buffer for
// this long is taken for dead. A fresh stream may fill its buffer and then
// wait a second or so before it runs (PulseAudio's do), so until then only
// a silence of `startSeconds` counts (its server accepted it and then hung).
// A running stream may also be asked for its sound in blocks of up to 2 s
// (PulseAudio's null sink), and an abandoned stream is never closed.
constexpr double stallSeconds = 2.5;
constexpr double startSeconds = 5.0;
constexpr double runningSeconds = 1.0;
// A reading app needs no short latency (positions take it into account),
// but Play must still be heard at once: buffers of this length keep the
// wake-ups few. Left to itself, ALSA's PulseAudio plugin calls back every
// 20 ms; two periods of 40 ms halve the wake-ups of both the callback and
// the sound server's client thread.
constexpr double outputLatency = 0.08;
constexpr double inputLatency = 0.08;
constexpr double callbackSeconds = 0.04;
}  // namespace

class PortAudioDevice::Stream {
  public:
    Stream(PortAudioDevice& device, Renderer& renderer, bool output, int channels)
        : device(device), renderer(renderer), output(output), channels(channels) {}

    static int callback(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags, void* self) {
        auto* stream = static_cast<Stream*>(self);
        if (stream->abandoned.load(std::memory_order_relaxed))
            return paAbort;
        const double now = monotonicSeconds();
        stream->device.clockOffset_.store(time->currentTime - now, std::memory_order_relaxed);
        stream->lastCallback.store(now, std::memory_order_relaxed);
        stream->called.store(true, std::memory_order_relaxed);
        stream->framesSinceStart += frames;
        if (stream->framesSinceStart > runningSeconds * stream->device.format_.sampleRate)
            stream->running.store(true, std::memory_order_relaxed);
        if (stream->output) {
            double playTime = time->outputBufferDacTime;
            if (playTime <= 0)
                playTime = time->currentTime + stream->latency;
            stream->renderer.render(static_cast<float*>(output), int(frames), stream->channels,
                                    playTime);
        } else {
            double heardTime = time->inputBufferAdcTime;
            if (heardTime <= 0)
                heardTime = time->currentTime - stream->latency;
            stream->renderer.capture(static_cast<const float*>(input), int(frames),
                                     stream->channels, heardTime);
        }
        return paContinue;
    }

    bool failed() const {
        if (abandoned.load(std::memory_order_relaxed))
            return false;
        if (finished.load(std::memory_order_relaxed))
            return true;
        const double now = monotonicSeconds();
        const double silence = now - (called.load(std::memory_order_relaxed)
                                          ? lastCallback.load(std::memory_order_relaxed)
                                          : started);
        return silence > (running.load(std::memory_order_relaxed) ? stallSeconds : startSeconds);
    }

    PortAudioDevice& device;
    Renderer& renderer;
    const bool output;
    const int channels;
    PaStream* stream = nullptr;
    double latency = 0;
    double started = 0;
    std::atomic<bool> abandoned{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> called{false};
    std::atomic<bool> running{false};
    // Touched only by the callback.
    unsigned long long framesSinceStart = 0;
    std::atomic<double> lastCallback{0};
};

PortAudioDevice::PortAudioDevice() = default;

std::unique_ptr<PortAudioDevice> PortAudioDevice::open(int sampleRate, QString* reason) {
    const auto failWith = [&](const QString& why) {
        if (reason)
            *reason = why;
        return nullptr;
    };
    if (!PortAudioLibrary::start(reason))
        return nullptr;
    std::unique_ptr<PortAudioDevice> device(new PortAudioDevice);

    device->outputDevice_ = Pa_GetDefaultOutputDevice();
    if (device->outputDevice_ == paNoDevice)
        return failWith(QStringLiteral("no sound output device"));
    const PaDeviceInfo* outInfo = Pa_GetDeviceInfo(device->outputDevice_);
    device->format_.sampleRate = sampleRate;
    device->format_.outputChannels = outInfo->maxOutputChannels >= 2 ? 2 : 1;
    const PaDeviceIndex input = Pa_GetDefaultInputDevice();
    const bool haveInput = input != paNoDevice && Pa_GetDeviceInfo(input)->maxInputChannels > 0;
    device->inputDevice_ = haveInput ? input : paNoDevice;
    device->format_.inputChannels = haveInput ? 1 : 0;
    device->name_ =
        QStringLiteral("%1 (%2)").arg(QString::fromUtf8(outInfo->name),
                                      QString::fromUtf8(Pa_GetHostApiInfo(outInfo->hostApi)->name));
    return device;
}

PortAudioDevice::~PortAudioDevice() {
    if (abandoned_)
        return;
    stopOutput();
    stopInput();
    PortAudioLibrary::stop();
}

namespace {

PaStreamCallback* const streamCallback = [](const void* input, void* output, unsigned long frames,
                                            const PaStreamCallbackTimeInfo* time,
                                            PaStreamCallbackFlags flags, void* self) {
    return PortAudioDevice::Stream::callback(input, output, frames, time, flags, self);
};

// Opens and starts a stream of `stream`'s direction; false when it does not run.
bool startStream(PortAudioDevice::Stream& stream, int device, double rate, double latency) {
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = stream.channels;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = latency;
    PaStream* handle = nullptr;
    if (Pa_OpenStream(&handle, stream.output ? nullptr : &parameters,
                      stream.output ? &parameters : nullptr, rate,
                      static_cast<unsigned long>(rate * callbackSeconds), paNoFlag, streamCallback,
                      &stream) != paNoError)
        return false;
    Pa_SetStreamFinishedCallback(
        handle, [](void* self) { static_cast<PortAudioDevice::Stream*>(self)->finished = true; });
    const PaStreamInfo* info = Pa_GetStreamInfo(handle);
    stream.latency = info ? (stream.output ? info->outputLatency : info->inputLatency) : latency;
    stream.stream = handle;
    stream.started = monotonicSeconds();
    if (Pa_StartStream(handle) != paNoError) {
        Pa_CloseStream(handle);
        stream.stream = nullptr;
        return false;
    }
    return true;
}

}  // namespace

bool PortAudioDevice::startOutput(Renderer& renderer) {
    stopOutput();
    auto stream = std::make_unique<Stream>(*this, renderer, true, format_.outputChannels);
    if (!startStream(*stream, outputDevice_, format_.sampleRate, outputLatency))
        return false;
    output_ = std::move(stream);
    return true;
}

bool PortAudioDevice::startInput(Renderer& renderer) {
    stopInput();
    if (inputDevice_ == paNoDevice)
        return false;
    auto stream = std::make_unique<Stream>(*this, renderer, false, 1);
    if (!startStream(*stream, inputDevice_, format_.sampleRate, inputLatency))
        return false;
    input_ = std::move(stream);
    return true;
}

void PortAudioDevice::stopOutput() {
    if (!output_)
        return;
    // Nothing is left to hear when the engine lets a stream go.
    Pa_AbortStream(output_->stream);
    Pa_CloseStream(output_->stream);
    output_.reset();
}

void PortAudioDevice::stopInput() {
    if (!input_)
        return;
    Pa_AbortStream(input_->stream);
    Pa_CloseStream(input_->stream);
    input_.reset();
}

void PortAudioDevice::abandon() {
    // The streams are left open and their memory kept: a callback may still
    // be running, and closing them could wait forever for a dead server.
    if (!abandoned_)
        PortAudioLibrary::abandon();
    abandoned_ = true;
    for (std::unique_ptr<Stream>* stream : {&output_, &input_})
        if (*stream) {
            (*stream)->abandoned = true;
            stream->release();
        }
}

double PortAudioDevice::now() const {
    return monotonicSeconds() + clockOffset_.load(std::memory_order_relaxed);
}

bool PortAudioDevice::failed() const {
    return (output_ && output_->failed()) || (input_ && input_->failed());
}

}  // namespace lectern::platform
