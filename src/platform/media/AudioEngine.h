#pragma once

#include "platform/media/AudioDevice.h"
#include "platform/media/DeviceKeeper.h"
#include "platform/media/EngineDriver.h"
#include "platform/media/Mixer.h"
#include "platform/media/VoiceState.h"

#include <functional>
#include <memory>

namespace lectern::platform {

class CourseFiles;
class CaptureSink;
class Sound;
class Voice;

// Owns the sound device; media players are its voices. Any number of voices
// play at once, mixed and converted to the engine's rate, while one or more
// of them record, so a recorder and a player run side by side on any device.
//
// Three parts do the work: the Mixer holds the voices and makes the sound,
// the VoiceClock says where each voice is heard (read without a lock), and
// the DeviceKeeper holds the device's streams only while they are used,
// falling back to a silent clock when the device fails. The keeper is run
// by the driver given to the engine: on a thread of the engine's own, since
// every call into a sound server may be slow, hang or fail, or on the
// caller's thread for a device that never waits.
//
// Voices are driven from the GUI thread only.
class AudioEngine {
  public:
    using Fallback = DeviceKeeper::Fallback;
    using Voice = lectern::platform::Voice;

    // Runs on `device` for good, driven by `driver`; a device that fails is
    // replaced by the fallback.
    AudioEngine(CourseFiles& files, std::unique_ptr<AudioDevice> device,
                std::unique_ptr<EngineDriver> driver, Fallback fallback = {});
    // The device is opened by `open` on a thread of its own (DeviceOpening):
    // at the first sound, or earlier after openDeviceAside(), and again
    // about every 2 s while it is missing or has failed and sound is wanted.
    // Null from `open` means no device for now. The engine runs at
    // `sampleRate`, on a thread of its own.
    using Opener = DeviceKeeper::Opener;
    AudioEngine(CourseFiles& files, Opener open, int sampleRate = 48000, Fallback fallback = {});
    void openDeviceAside();
    // Closes the streams (and joins the engine's thread, see shutDown).
    virtual ~AudioEngine();
    // Closes the streams and ends the engine's thread, waiting at most
    // `seconds`. False when the thread is still inside a call to a sound
    // server that hangs: the engine must then be left undestroyed (its
    // thread, or an open that hangs, still uses it), which only the ending
    // process may do. Voices still play on no device afterwards.
    bool shutDown(double seconds);
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    CourseFiles& files() const { return files_; }
    // The device the sound goes to: the opened device, or "silent clock"
    // while there is none or it has failed.
    QString deviceName();
    int sampleRate() const { return mixer_.rate(); }

    // Waits until the engine's thread has done what was asked of it so far
    // (opened, started or replaced devices).
    void settle();
    // On an engine without a thread of its own: if the device has stopped on
    // its own, moves every voice to the fallback device, keeping their
    // positions. Every voice call does it.
    void checkDevice();

    // A voice standing at frame 0 of `sound`.
    Voice* addVoice(std::shared_ptr<const Sound> sound);
    void removeVoice(Voice* voice);
    // Changes the sound under a stopped voice and puts it at `frame`.
    void replaceSound(Voice* voice, std::shared_ptr<const Sound> sound, long long frame);

    // Frames are frames of the voice's sound.
    void play(Voice* voice, long long fromFrame);
    // Stops playing or recording where the listener is and stays there.
    void halt(Voice* voice);
    void moveTo(Voice* voice, long long frame);
    // The pace the voice plays at, in frames of the sound per frame of its
    // own time, with the pitch kept; positions stay frames of the sound.
    // A playing voice goes on at the new pace from where the listener is.
    // Recording is never affected.
    static constexpr double minSpeed = VoiceState::minSpeed;
    static constexpr double maxSpeed = VoiceState::maxSpeed;
    void setSpeed(Voice* voice, double speed);
    double speed(Voice* voice);
    // A playing voice stops by itself when the listener reaches `frame`
    // (VoiceState::noStop: the end of the sound), on the sample clock: not
    // one frame past it reaches the device, at any speed. It then stands
    // there as after halt(). Kept until changed.
    static constexpr long long noStop = VoiceState::noStop;
    void setStopAt(Voice* voice, long long frame);
    bool isPlaying(Voice* voice);
    bool isRecording(Voice* voice);
    // Lock-free on an engine with a thread of its own.
    long long position(Voice* voice);

    // The voice stops playing and hands what the microphone hears, from now
    // on, to `writer`; its position counts the recorded time from `frame`.
    // The time the capture stream takes to start is recorded as silence, so
    // the recording keeps its place against the clock of the lesson. When
    // the recording has to hold silence because the device has no
    // microphone, or there is no device, `noMicrophone` is called once, on
    // the engine's thread (or the caller's for an engine without one) and
    // under its lock: it may only post a message. Not again until a
    // microphone has been found.
    void startRecording(Voice* voice, CaptureSink* writer, long long frame,
                        std::function<void()> noMicrophone = {});
    // Takes the writer away from the voice; the voice stands at the end of
    // what was recorded. Afterwards the device no longer touches the writer.
    void stopRecording(Voice* voice);

  private:
    CourseFiles& files_;
    // In this order: the keeper's streams render into the mixer, and an
    // open still under way reports to the driver while the keeper goes.
    Mixer mixer_;
    std::unique_ptr<EngineDriver> driver_;
    DeviceKeeper keeper_;
};

}  // namespace lectern::platform
