#pragma once

#include "platform/media/AudioDevice.h"
#include "platform/media/PublishedVoiceState.h"
#include "platform/media/VoiceState.h"

#include <algorithm>
#include <cmath>

namespace lectern::platform {

class Voice;

// Where a voice is heard. Positions are what the listener hears: the frames
// the device has consumed for a voice, placed on the device clock at the
// time they reach the listener (the output latency is taken off), and read
// against that clock. A voice whose stream is still opening stays where it
// was started.
//
// The calls that change a voice are made under the mixer's lock and publish
// the voice; read() needs no lock.
class VoiceClock {
  public:
    explicit VoiceClock(int rate) : rate_(rate) {}

    // Where the listener is in the voice's sound; with `onlyRendered`, no
    // further than the frames the device has taken.
    long long heard(const VoiceState& state, bool onlyRendered = true) const {
        switch (state.mode) {
            case VoiceState::Mode::Idle:
                return state.restFrame;
            case VoiceState::Mode::Recording:
                return state.recordStart + std::llround(double(state.recorded) / state.ratio);
            case VoiceState::Mode::Playing:
                break;
        }
        return heardPlaying(state, onlyRendered);
    }

    struct Reading {
        VoiceState state;
        long long frame;
    };
    // The published position for the GUI thread, without a lock; it never
    // goes back within a run of the voice.
    Reading read(const PublishedVoiceState& published, ShownPosition& shown) const {
        Reading reading{published.load(), 0};
        reading.frame = heard(reading.state);
        if (reading.state.mode == VoiceState::Mode::Playing) {
            if (shown.run == reading.state.run)
                reading.frame = std::max(reading.frame, shown.frame);
            shown = {reading.state.run, reading.frame};
        }
        return reading;
    }
    // The same under the lock, from the voice's own state.
    long long shown(const Voice& voice) const;

    void publish(Voice& voice) const;
    // The voice starts anew from `frame` at the next buffer.
    void rebase(Voice& voice, long long frame) const;
    // The voice leaves its stream from where it is heard. On a real-time
    // clock it runs on with that clock, and the next stream plays what that
    // clock says until it keeps time itself, so a lesson keeps in step with
    // the time across a change of device; otherwise it stands still until
    // the next stream's first buffer is heard.
    void bridge(Voice& voice, bool onlyRendered) const;
    // On the buffers of the stream a bridged voice waited for: true while
    // the voice still runs on the old clock.
    bool keepInStep(Voice& voice, const AudioDevice& device, double playTime, int frames) const;

  private:
    long long heardPlaying(const VoiceState& s, bool onlyRendered) const {
        if (!s.clock)
            return s.runStart;
        double heardEngine = double(s.anchorRendered) + (s.clock->now() - s.anchorTime) * rate_;
        heardEngine = std::max(heardEngine, 0.0);
        if (onlyRendered)
            heardEngine = std::min(heardEngine, double(s.rendered));
        return std::min(s.runStart + std::llround(heardEngine * s.speed / s.ratio), s.end());
    }

    int rate_;
};

}  // namespace lectern::platform
