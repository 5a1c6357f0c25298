#pragma once

#include "platform/media/AudioDevice.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace lectern::platform {

class CourseFiles;
class DeviceOpening;
class RecordingWriter;
class Sound;

// Owns the sound device; media players are its voices. Any number of voices
// play at once, mixed and converted to the engine's rate, while one or more
// of them record, so a recorder and a player run side by side on any device.
//
// The device's streams are held only while they are used: the playback
// stream opens when a voice starts and closes after 10 s without one, the
// capture stream runs exactly while a voice records. A sound server is
// slow to answer and may hang or die, so every call into it (opening,
// starting, stopping, giving up a stream) is made on a thread of the
// engine's own; the thread also moves the voices to a silent clock when the
// device fails and back to the device, tried every 2 s, when it answers
// again. Opening the device gets 2 s before the voices go to the silent
// clock; an open that hangs longer goes on aside, and its device is taken
// when it comes. (A device that never waits, such as a manual clock, is
// driven on the calling thread instead.)
//
// Voices are driven from the GUI thread only. The streams' callbacks and
// the voice commands meet under one mutex that the GUI holds only to copy a
// few fields or swap pointers (never for file I/O, allocation or freeing),
// and a callback holds only while mixing sound that is already in memory.
// Positions are read without any lock: each buffer publishes where each
// voice stands on the device clock.
//
// Positions are what the listener hears: the frames the device has consumed
// for a voice, placed on the device clock at the time they reach the
// listener (the output latency is taken off), and read against that clock.
// A voice whose stream is still opening stays where it was started.
class AudioEngine {
  public:
    // Makes the device to fall back on when the current one fails; it gets
    // the failed device's format. By default a SilentDevice.
    using Fallback = std::function<std::unique_ptr<AudioDevice>(const AudioDevice::Format&)>;

    // Runs on `device` for good; a device that fails is replaced by the fallback.
    AudioEngine(CourseFiles& files, std::unique_ptr<AudioDevice> device, Fallback fallback = {});
    // The device is opened by `open` on a thread of its own (DeviceOpening):
    // at the first sound, or earlier after openDeviceAside(), and again
    // about every 2 s while it is missing or has failed and sound is wanted.
    // Null from `open` means no device for now. The engine runs at
    // `sampleRate`.
    using Opener = std::function<std::unique_ptr<AudioDevice>()>;
    AudioEngine(CourseFiles& files, Opener open, int sampleRate = 48000, Fallback fallback = {});
    void openDeviceAside();
    // Joins the engine's thread once it has closed the streams (see shutDown).
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
    int sampleRate() const { return rate_; }

    // Waits until the engine's thread has done what was asked of it so far
    // (opened, started or replaced devices).
    void settle();
    // On an engine without a thread of its own: if the device has stopped on
    // its own, moves every voice to the fallback device, keeping their
    // positions. Every voice call does it.
    void checkDevice();

    class Voice;
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
    static constexpr double minSpeed = 0.5;
    static constexpr double maxSpeed = 2.0;
    void setSpeed(Voice* voice, double speed);
    double speed(Voice* voice);
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
    void startRecording(Voice* voice, RecordingWriter* writer, long long frame,
                        std::function<void()> noMicrophone = {});
    // Takes the writer away from the voice; the voice stands at the end of
    // what was recorded. Afterwards the device no longer touches the writer.
    void stopRecording(Voice* voice);

  private:
    class Port;
    struct State;
    struct Wants {
        bool output = false;
        bool input = false;
    };

    void render(Port& port, float* out, int frames, int channels, double playTime);
    void capture(Port& port, const float* in, int frames, int channels, double captureTime);
    void renderVoice(Voice& voice, float* out, int frames, int channels);
    // The voice's next frames at the engine's rate, at most `frames`; fewer
    // at the end of the sound.
    int pull(Voice& voice, float* into, int frames);
    // The same at the voice's speed, through its stretcher.
    int stretch(Voice& voice, float* out, int frames);
    // Where the listener is in the voice's sound; with `onlyRendered`, no
    // further than the frames the device has taken.
    long long heard(const State& state, bool onlyRendered = true) const;
    long long positionLocked(Voice& voice);
    void rebaseLocked(Voice& voice, long long frame);
    // The voice leaves its stream from where it is heard. On a real-time
    // clock it runs on with that clock, and the next stream plays what that
    // clock says until it keeps time itself, so a lesson keeps in step with
    // the time across a change of device; otherwise it stands still until
    // the next stream's first buffer is heard.
    void bridgeLocked(Voice& voice, bool onlyRendered);
    // On the buffers of the stream a bridged voice waited for: true while
    // the voice still runs on the old clock.
    bool keepInStepLocked(Voice& voice, const AudioDevice& device, double playTime, int frames);
    void publishLocked(Voice& voice);

    // Brings the streams in line with what the voices want; on the engine's
    // thread, or on the caller's for an engine without one. Returns how soon
    // it wants to run again (in seconds, or a negative number for never
    // unless asked).
    double maintain();
    Wants wanted();
    bool openDevice();
    // An open that outlived its deadline has brought its answer.
    bool deviceAnswered();
    void giveUpDevice();
    // Makes `port` the one whose output the voices play on (null: none).
    void moveOutput(Port* port);
    void moveInput(Port* port);
    // Tells the recordings that waited for it whether the device gave them
    // a microphone.
    void answerMicrophone(bool found);
    Port* fallback();
    void poke();
    void run();

    CourseFiles& files_;
    Fallback fallback_;
    const int rate_;
    const bool threaded_;

    // Touched only by whoever runs maintain().
    std::unique_ptr<Port> device_;
    std::unique_ptr<Port> fallbackPort_;
    std::vector<std::unique_ptr<Port>> abandoned_;
    AudioDevice::Format lastFormat_;
    double lastSound_ = -1e9;
    double nextTry_ = 0;
    bool toldNoMicrophone_ = false;

    std::mutex mutex_;
    std::vector<Voice*> voices_;
    std::vector<float> mono_;
    Port* output_ = nullptr;
    Port* input_ = nullptr;
    QString deviceName_;

    std::mutex wakeMutex_;
    std::condition_variable wake_;
    std::condition_variable settled_;
    long long asked_ = 0;
    long long done_ = 0;
    bool openAside_ = false;
    bool quit_ = false;
    bool ended_ = false;
    std::thread thread_;
    // Last, so that an open still under way ends before the rest goes.
    std::unique_ptr<DeviceOpening> opening_;
};

}  // namespace lectern::platform
