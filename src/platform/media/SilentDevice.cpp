#include "platform/media/SilentDevice.h"

#include <algorithm>
#include <cmath>

namespace lectern::platform {

namespace {
constexpr int chunkFrames = 512;
constexpr double leadSeconds = 0.02;
}  // namespace

SilentDevice::SilentDevice(Format format)
    : format_(format), origin_(std::chrono::steady_clock::now()) {
    format_.inputChannels = 0;
}

SilentDevice::~SilentDevice() {
    stop();
}

double SilentDevice::now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

bool SilentDevice::start(Renderer& renderer) {
    stop();
    running_ = true;
    thread_ = std::thread([this, &renderer] { run(renderer); });
    return true;
}

void SilentDevice::stop() {
    running_ = false;
    if (thread_.joinable())
        thread_.join();
}

void SilentDevice::run(Renderer& renderer) {
    std::vector<float> out(std::size_t(chunkFrames) * std::max(1, format_.outputChannels));
    // Frames are counted from the moment the device starts, so the clock of
    // the buffers and now() agree.
    auto frames = std::llround(now() * format_.sampleRate);
    while (running_) {
        const auto target = std::llround((now() + leadSeconds) * format_.sampleRate);
        while (frames < target && running_) {
            const int n = int(std::min<long long>(chunkFrames, target - frames));
            renderer.render(out.data(), nullptr, n, double(frames) / format_.sampleRate);
            frames += n;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace lectern::platform
