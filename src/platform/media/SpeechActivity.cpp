#include "platform/media/SpeechActivity.h"

#include <aubio/aubio.h>
#include <algorithm>
#include <cmath>

namespace lectern::platform {

SpeechActivity::SpeechActivity(int rate)
    : block_(std::size_t(std::max(1L, std::lround(rate * BlockSeconds)))) {}

void SpeechActivity::feed(const float* mono, std::size_t frames) {
    while (frames > 0) {
        const std::size_t n = std::min(frames, block_.size() - filled_);
        std::copy_n(mono, n, block_.begin() + std::ptrdiff_t(filled_));
        filled_ += n;
        frames_ += (long long)n;
        mono += n;
        frames -= n;
        if (filled_ == block_.size())
            judge();
    }
}

void SpeechActivity::judge() {
    filled_ = 0;
    fvec_t block{uint_t(block_.size()), block_.data()};
    levelDb_ = aubio_db_spl(&block);
    if (aubio_silence_detection(&block, smpl_t(SpeechDb)))
        return;
    if (onset_ < 0)
        onset_ = frames_ - (long long)block_.size();
    lastSpeechEnd_ = frames_;
}

}  // namespace lectern::platform
