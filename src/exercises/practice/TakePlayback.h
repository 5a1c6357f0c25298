#pragma once

#include <functional>
#include <memory>

namespace lectern::platform {
class AudioEngine;
class Sound;
class TMediaPlayer;
class Voice;
}  // namespace lectern::platform

namespace lectern::exercises {

// Plays a passage's model sound, from the lesson's own player, and then the
// learner's take, one after the other. poll() moves it on; `onPart` says
// which part has just begun.
class TakePlayback {
  public:
    enum class Part { Model, Take, Done };

    TakePlayback(platform::AudioEngine& engine, platform::TMediaPlayer& model);
    ~TakePlayback();
    TakePlayback(const TakePlayback&) = delete;
    TakePlayback& operator=(const TakePlayback&) = delete;

    void start(int fromMs, int toMs, std::shared_ptr<const platform::Sound> take,
               std::function<void(Part)> onPart);
    // True while something plays.
    bool poll();
    void stop();
    Part part() const { return part_; }

  private:
    void begin(Part part);

    platform::AudioEngine& engine_;
    platform::TMediaPlayer& model_;
    std::shared_ptr<const platform::Sound> take_;
    platform::Voice* voice_ = nullptr;
    int toMs_ = 0;
    Part part_ = Part::Done;
    std::function<void(Part)> onPart_;
};

}  // namespace lectern::exercises
