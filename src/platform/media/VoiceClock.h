#pragma once

#include "platform/media/VoiceState.h"

namespace lectern::platform {

class AudioDevice;
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
    long long heard(const VoiceState& state, bool onlyRendered = true) const;
    // The published position for the GUI thread, without a lock; it never
    // goes back within a run. `state` is what was read.
    long long read(Voice& voice, VoiceState& state) const;
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
    int rate_;
};

}  // namespace lectern::platform
