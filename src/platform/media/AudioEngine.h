#pragma once

#include "platform/media/AudioDevice.h"

#include <QTimer>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

namespace lectern::platform {

class CourseFiles;
class RecordingWriter;
class Sound;

// Owns the sound device; media players are its voices. Any number of voices
// play at once, mixed and converted to the device's rate, while one or more
// of them record, so a recorder and a player run side by side on any device.
//
// Voices are driven from the GUI thread only. The device renders on its own
// thread; the two meet under one mutex that the GUI holds only to copy a few
// fields or swap pointers (never for file I/O, allocation or freeing), and
// the device holds only while mixing sound that is already in memory.
//
// Positions are what the listener hears: the frames the device has consumed
// for a voice, placed on the device clock at the time they reach the
// listener (the output latency is taken off), and read against that clock.
class AudioEngine : private AudioDevice::Renderer {
  public:
    // Makes the device to fall back on when the current one fails; it gets
    // the failed device's format. By default a SilentDevice.
    using Fallback = std::function<std::unique_ptr<AudioDevice>(const AudioDevice::Format&)>;

    // Starts `device`; a device that refuses to start is replaced at once by
    // the fallback.
    AudioEngine(CourseFiles& files, std::unique_ptr<AudioDevice> device, Fallback fallback = {});
    // The device is opened later (opening a sound system can take tens of
    // milliseconds, which start-up need not wait for): by `open` on a thread
    // of its own once openDeviceAside() is called, or on the spot when a
    // voice needs the device first.
    using Opener = std::function<std::unique_ptr<AudioDevice>()>;
    AudioEngine(CourseFiles& files, Opener open, Fallback fallback = {});
    void openDeviceAside();
    virtual ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    CourseFiles& files() const { return files_; }
    QString deviceName();
    AudioDevice::Format format();

    // If the device has stopped on its own, moves every voice to the
    // fallback device, keeping their positions. Run on every voice call and
    // every 200 ms from the event loop.
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
    bool isPlaying(Voice* voice);
    bool isRecording(Voice* voice);
    long long position(Voice* voice);

    // The voice stops playing and hands what the microphone hears, from now
    // on, to `writer`; its position counts the recorded time from `frame`.
    void startRecording(Voice* voice, RecordingWriter* writer, long long frame);
    // Takes the writer away from the voice; the voice stands at the end of
    // what was recorded. Afterwards the device no longer touches the writer.
    void stopRecording(Voice* voice);

  private:
    void render(float* out, const float* in, int frames, double playTime) override;
    void renderVoice(Voice& voice, float* out, int frames);
    long long heardLocked(Voice& voice, double now);
    void rebaseLocked(Voice& voice, long long frame);
    std::unique_ptr<AudioDevice> makeFallback();
    // Takes the device that was being opened, when there is one, and starts it.
    void ensureDevice();
    void startDevice();

    CourseFiles& files_;
    Fallback fallback_;
    std::unique_ptr<AudioDevice> device_;
    Opener opener_;
    std::future<std::unique_ptr<AudioDevice>> opening_;
    AudioDevice::Format format_;
    std::mutex mutex_;
    std::vector<Voice*> voices_;
    std::vector<float> mono_;
    // While the device is being replaced the mixer renders silence.
    bool suspended_ = false;
    QTimer watchdog_;
};

}  // namespace lectern::platform
