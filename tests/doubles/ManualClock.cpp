#include "doubles/ManualClock.h"

#include <algorithm>
#include <cmath>

namespace lectern::test {

namespace {
constexpr int chunkFrames = 512;
}

ManualClock::ManualClock(Format format)
    : format_(format),
      out_(std::size_t(chunkFrames) * std::max(1, format.outputChannels)),
      in_(std::size_t(chunkFrames) * std::max(1, format.inputChannels)) {}

bool ManualClock::startOutput(Renderer& renderer) {
    output_ = &renderer;
    return !failed_;
}

bool ManualClock::startInput(Renderer& renderer) {
    if (format_.inputChannels == 0)
        return false;
    input_ = &renderer;
    return !failed_;
}

double ManualClock::now() const {
    return double(frames_) / format_.sampleRate;
}

void ManualClock::advance(double ms) {
    elapsedMs_ += ms;
    const auto target = std::llround(elapsedMs_ * format_.sampleRate / 1000.0);
    while (frames_ < target) {
        const int n = int(std::min<long long>(chunkFrames, target - frames_));
        if (Renderer* capturing = input_; capturing && !failed_) {
            const float* in = nullptr;
            if (inputSource && format_.inputChannels > 0) {
                inputSource(in_.data(), n);
                in = in_.data();
            }
            capturing->capture(in, n, format_.inputChannels, now());
        }
        if (Renderer* playing = output_; playing && !failed_) {
            playing->render(out_.data(), n, format_.outputChannels, now());
            if (keepOutput)
                output.insert(output.end(), out_.begin(),
                              out_.begin() + n * format_.outputChannels);
        }
        frames_ += n;
    }
}

}  // namespace lectern::test
