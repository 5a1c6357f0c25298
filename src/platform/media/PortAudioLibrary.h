#pragma once

#include <QString>

namespace lectern::platform {

// PortAudio's start-up and shut-down, for every device of the process.
// PortAudio counts its start-ups and scans the system's devices only on the
// first. A device whose server died gives up its streams without closing
// them (closing could wait for ever) and so keeps its start-up; the count
// never falls back to zero and a headset plugged in later would never be
// seen. Such start-ups are counted here and ended, all the way, when the
// next device starts PortAudio while no other device uses it.
class PortAudioLibrary {
  public:
    // Starts PortAudio for one device; false, with the reason, when it
    // cannot start.
    static bool start(QString* reason);
    // The device is done and closed its streams.
    static void stop();
    // The device gave up its streams without closing them.
    static void abandon();
};

}  // namespace lectern::platform
