#pragma once

namespace lectern::platform {

class DeviceKeeper;

// Runs the audio engine's device keeper: on a thread of the engine's own
// (ThreadedDriver), since a sound server may be slow to answer or hang, or
// on the thread of whoever uses the engine (InlineDriver), for devices that
// never wait, such as a manual clock.
class EngineDriver {
  public:
    virtual ~EngineDriver() = default;

    // Starts driving `keeper`, which stays until stop() has returned.
    virtual void start(DeviceKeeper& keeper) = 0;
    // The voices changed: the streams are to be brought in line with them.
    virtual void poke() = 0;
    // Before a voice is read or changed: a driver without a thread brings
    // the streams in line here, so that a device that stopped on its own is
    // replaced.
    virtual void check() = 0;
    // Opens the device now, aside from the caller, rather than at the first
    // sound.
    virtual void openAside() = 0;
    // Waits until what was asked so far is done.
    virtual void settle() = 0;
    // See AudioEngine::shutDown.
    virtual bool shutDown(double seconds) = 0;
    // Closes the streams and ends driving.
    virtual void stop() = 0;
};

}  // namespace lectern::platform
