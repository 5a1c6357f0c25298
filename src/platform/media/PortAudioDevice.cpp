#include "platform/media/PortAudioDevice.h"

#include <portaudio.h>
#include <algorithm>

namespace lectern::platform {

namespace {
// A stream that was flowing and then has not asked for a buffer for this
// long is taken for dead. A fresh stream may wait a second or two before its
// first buffers (PulseAudio does), so only a stream that has run for a
// while counts.
constexpr double stallSeconds = 1.5;
constexpr double flowingSeconds = 1.0;
}  // namespace

std::unique_ptr<PortAudioDevice> PortAudioDevice::open(QString* reason) {
    std::unique_ptr<PortAudioDevice> device(new PortAudioDevice);
    const auto failWith = [&](const QString& why) {
        if (reason)
            *reason = why;
        return nullptr;
    };
    PaError error = Pa_Initialize();
    if (error != paNoError)
        return failWith(QString::fromUtf8(Pa_GetErrorText(error)));
    device->initialised_ = true;

    const PaDeviceIndex output = Pa_GetDefaultOutputDevice();
    if (output == paNoDevice)
        return failWith(QStringLiteral("no sound output device"));
    const PaDeviceInfo* outInfo = Pa_GetDeviceInfo(output);
    PaStreamParameters out{};
    out.device = output;
    out.channelCount = outInfo->maxOutputChannels >= 2 ? 2 : 1;
    out.sampleFormat = paFloat32;
    out.suggestedLatency = std::max(outInfo->defaultHighOutputLatency, 0.05);
    const double rate = outInfo->defaultSampleRate > 0 ? outInfo->defaultSampleRate : 48000;

    PaStreamParameters in{};
    const PaDeviceIndex input = Pa_GetDefaultInputDevice();
    const bool haveInput = input != paNoDevice && Pa_GetDeviceInfo(input)->maxInputChannels > 0;
    if (haveInput) {
        in.device = input;
        in.channelCount = 1;
        in.sampleFormat = paFloat32;
        in.suggestedLatency = std::max(Pa_GetDeviceInfo(input)->defaultHighInputLatency, 0.05);
    }

    PaStreamCallback* callback = [](const void* input, void* output, unsigned long frames,
                                    const PaStreamCallbackTimeInfo* time,
                                    PaStreamCallbackFlags flags, void* self) {
        return PortAudioDevice::callback(input, output, frames, time, flags, self);
    };
    PaStream* stream = nullptr;
    error = paInvalidDevice;
    if (haveInput)
        error = Pa_OpenStream(&stream, &in, &out, rate, paFramesPerBufferUnspecified, paNoFlag,
                              callback, device.get());
    const bool duplex = error == paNoError;
    if (!duplex)
        error = Pa_OpenStream(&stream, nullptr, &out, rate, paFramesPerBufferUnspecified, paNoFlag,
                              callback, device.get());
    if (error != paNoError)
        return failWith(QString::fromUtf8(Pa_GetErrorText(error)));
    device->stream_ = stream;
    Pa_SetStreamFinishedCallback(stream, [](void* self) { PortAudioDevice::finished(self); });

    const PaStreamInfo* info = Pa_GetStreamInfo(stream);
    device->format_.sampleRate = int(info && info->sampleRate > 0 ? info->sampleRate : rate);
    device->format_.outputChannels = out.channelCount;
    device->format_.inputChannels = duplex ? 1 : 0;
    device->outputLatency_ = info ? info->outputLatency : 0;
    device->name_ =
        QStringLiteral("%1 (%2)").arg(QString::fromUtf8(outInfo->name),
                                      QString::fromUtf8(Pa_GetHostApiInfo(outInfo->hostApi)->name));
    return device;
}

PortAudioDevice::~PortAudioDevice() {
    stop();
    if (stream_)
        Pa_CloseStream(stream_);
    if (initialised_)
        Pa_Terminate();
}

bool PortAudioDevice::start(Renderer& renderer) {
    renderer_ = &renderer;
    finished_ = false;
    flowing_ = false;
    framesSinceStart_ = 0;
    running_ = true;
    lastCallback_ = Pa_GetStreamTime(stream_);
    if (Pa_StartStream(stream_) != paNoError) {
        running_ = false;
        return false;
    }
    return true;
}

void PortAudioDevice::stop() {
    if (!running_.exchange(false) || !stream_)
        return;
    // A device that is gone may not drain: drop what is queued.
    Pa_AbortStream(stream_);
}

double PortAudioDevice::now() const {
    return Pa_GetStreamTime(stream_);
}

bool PortAudioDevice::failed() const {
    if (!running_)
        return false;
    if (finished_ || Pa_IsStreamActive(stream_) != 1)
        return true;
    return flowing_ && now() - lastCallback_.load() > stallSeconds;
}

int PortAudioDevice::callback(const void* input, void* output, unsigned long frames,
                              const void* timeInfo, unsigned long, void* self) {
    auto* device = static_cast<PortAudioDevice*>(self);
    const auto* time = static_cast<const PaStreamCallbackTimeInfo*>(timeInfo);
    device->lastCallback_ = time->currentTime;
    if (!device->flowing_) {
        device->framesSinceStart_ += frames;
        if (device->framesSinceStart_ > flowingSeconds * device->format_.sampleRate)
            device->flowing_ = true;
    }
    double playTime = time->outputBufferDacTime;
    if (playTime <= 0)
        playTime = time->currentTime + device->outputLatency_;
    device->renderer_->render(static_cast<float*>(output), static_cast<const float*>(input),
                              int(frames), playTime);
    return paContinue;
}

void PortAudioDevice::finished(void* self) {
    static_cast<PortAudioDevice*>(self)->finished_ = true;
}

}  // namespace lectern::platform
