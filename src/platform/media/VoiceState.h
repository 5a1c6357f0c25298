#pragma once

#include <algorithm>
#include <limits>

namespace lectern::platform {

class AudioDevice;

// Where a voice stands. Written only under the mixer's lock, by whichever
// thread changes it, and published after every change.
struct VoiceState {
    enum class Mode { Idle, Playing, Recording };
    // The pace a voice may play at, in frames of the sound per frame of its
    // own time.
    static constexpr double minSpeed = 0.5;
    static constexpr double maxSpeed = 2.0;

    Mode mode = Mode::Idle;
    // Changes whenever the voice starts anew from a frame.
    long long run = 0;
    long long restFrame = 0;
    long long runStart = 0;
    long long frames = 0;
    // A playing voice stops by itself on reaching this frame of its sound:
    // nothing past it is fed to the device.
    static constexpr long long noStop = std::numeric_limits<long long>::max();
    long long stopAt = noStop;
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

    // Where playing ends: the stop, or the end of the sound.
    long long end() const { return std::min(frames, stopAt); }
};

// The GUI thread's last answer in a run of a voice: positions never go back.
struct ShownPosition {
    long long run = -1;
    long long frame = 0;
};

}  // namespace lectern::platform
