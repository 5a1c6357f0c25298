#include "platform/media/SilentDevice.h"

#include "platform/media/MonotonicClock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace lectern::platform {

namespace {
constexpr int chunkFrames = 1024;
// Well ahead of the wake-ups, so that a busy machine never lets the clock
// overtake what was rendered.
constexpr double leadSeconds = 0.1;
constexpr auto wakeEvery = std::chrono::milliseconds(20);
}  // namespace

SilentDevice::SilentDevice(Format format) : format_(format) {
    format_.inputChannels = 1;
}

SilentDevice::~SilentDevice() {
    restart(nullptr, nullptr);
}

double SilentDevice::now() const {
    return monotonicSeconds();
}

bool SilentDevice::startOutput(Renderer& renderer) {
    restart(&renderer, input_);
    return true;
}

void SilentDevice::stopOutput() {
    restart(nullptr, input_);
}

bool SilentDevice::startInput(Renderer& renderer) {
    restart(output_, &renderer);
    return true;
}

void SilentDevice::stopInput() {
    restart(output_, nullptr);
}

void SilentDevice::restart(Renderer* output, Renderer* input) {
    running_ = false;
    if (thread_.joinable())
        thread_.join();
    output_ = output;
    input_ = input;
    if (!output && !input)
        return;
    running_ = true;
    thread_ = std::thread([this, output, input] { run(output, input); });
}

void SilentDevice::run(Renderer* output, Renderer* input) {
    const int channels = std::max(1, format_.outputChannels);
    const double rate = format_.sampleRate;
    std::vector<float> out(std::size_t(chunkFrames) * channels);
    // Frames are counted on the device clock, so the times of the buffers
    // and now() agree: output runs ahead of the listener, input up to now.
    long long played = std::llround(now() * rate);
    long long heard = played;
    while (running_) {
        const long long playTarget = std::llround((now() + leadSeconds) * rate);
        while (output && played < playTarget && running_) {
            const int n = int(std::min<long long>(chunkFrames, playTarget - played));
            output->render(out.data(), n, channels, double(played) / rate);
            played += n;
        }
        const long long heardTarget = std::llround(now() * rate);
        while (input && heard < heardTarget && running_) {
            const int n = int(std::min<long long>(chunkFrames, heardTarget - heard));
            input->capture(nullptr, n, 1, double(heard) / rate);
            heard += n;
        }
        std::this_thread::sleep_for(wakeEvery);
    }
}

}  // namespace lectern::platform
