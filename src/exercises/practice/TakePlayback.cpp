#include "exercises/practice/TakePlayback.h"

#include "platform/media/AudioEngine.h"
#include "platform/media/Sound.h"
#include "platform/media/TMediaPlayer.h"

namespace lectern::exercises {

TakePlayback::TakePlayback(platform::AudioEngine& engine, platform::TMediaPlayer& model)
    : engine_(engine), model_(model) {}

TakePlayback::~TakePlayback() {
    if (voice_)
        engine_.removeVoice(voice_);
}

void TakePlayback::start(int fromMs, int toMs, std::shared_ptr<const platform::Sound> take,
                         std::function<void(Part)> onPart) {
    stop();
    take_ = std::move(take);
    toMs_ = toMs;
    onPart_ = std::move(onPart);
    if (model_.IsOpen() && toMs > fromMs) {
        model_.Seek(fromMs);
        // The model ends at its passage's end, not at a stop the lesson left
        // (pause after each passage sets one); the lesson sets its own again
        // whenever it plays.
        model_.SetStopAt(toMs);
        model_.Play();
        begin(Part::Model);
    } else {
        poll();
    }
}

bool TakePlayback::poll() {
    if (part_ == Part::Model && model_.IsOpen() && model_.Playing() && model_.Position() < toMs_)
        return true;
    if (part_ == Part::Model || (part_ == Part::Done && take_)) {
        if (model_.IsOpen())
            model_.Stop();
        voice_ = engine_.addVoice(take_);
        engine_.play(voice_, 0);
        begin(Part::Take);
        return true;
    }
    if (part_ == Part::Take && engine_.isPlaying(voice_) &&
        engine_.position(voice_) < take_->frames())
        return true;
    stop();
    return false;
}

void TakePlayback::stop() {
    if (part_ == Part::Model && model_.IsOpen())
        model_.Stop();
    if (voice_)
        engine_.removeVoice(voice_);
    voice_ = nullptr;
    take_.reset();
    if (part_ != Part::Done)
        begin(Part::Done);
}

void TakePlayback::begin(Part part) {
    part_ = part;
    if (onPart_)
        onPart_(part);
}

}  // namespace lectern::exercises
