#pragma once

#include "platform/media/VoiceClock.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace lectern::platform {

class AudioDevice;
class CaptureSink;
class Sound;
class Voice;

// Mixes the voices into the output stream, each converted to the engine's
// rate and stretched to its pace, and hands what the input stream captures
// to the voices that record.
//
// Voices are driven from the GUI thread only. The streams' callbacks and
// the voice commands meet under one lock that the GUI holds only to copy a
// few fields or swap pointers (never for file I/O, allocation or freeing),
// and a callback holds only while mixing sound that is already in memory.
// Positions are read without any lock: each buffer publishes where each
// voice stands on the device clock.
class Mixer {
  public:
    struct Wants {
        bool output = false;
        bool input = false;
    };

    explicit Mixer(int rate);
    // Frees the voices left.
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int rate() const { return rate_; }

    // The streams' buffers; only those of the device the mixer plays on, or
    // records from, reach the voices.
    void render(const AudioDevice& device, float* out, int frames, int channels, double playTime);
    void capture(const AudioDevice& device, const float* in, int frames, int channels,
                 double captureTime);

    // For the one who keeps the devices.
    Wants wanted();
    // Makes `device` the one the voices play on (null: none).
    void moveOutput(const AudioDevice* device);
    void moveInput(const AudioDevice* device);
    // The output stream stalled before it was found dead: the voices go on
    // from where the clock says they would be by now.
    void bridgeStalled();
    // The voices stand still on no clock: the devices go.
    void standStill();
    // Tells the recordings that waited for it whether the device gave them
    // a microphone.
    void answerMicrophone(bool found);

    // The voice commands of AudioEngine, on the GUI thread.
    Voice* addVoice(std::shared_ptr<const Sound> sound);
    void removeVoice(Voice* voice);
    void replaceSound(Voice& voice, std::shared_ptr<const Sound> sound, long long frame);
    void play(Voice& voice, long long fromFrame);
    void halt(Voice& voice);
    void moveTo(Voice& voice, long long frame);
    void setSpeed(Voice& voice, double speed);
    void setStopAt(Voice& voice, long long frame);
    // Without a lock, but when the voice has played to its end.
    long long position(Voice& voice);
    void startRecording(Voice& voice, CaptureSink* writer, long long frame,
                        std::function<void()> noMicrophone);
    void stopRecording(Voice& voice);

  private:
    const int rate_;
    const VoiceClock clock_;
    std::mutex mutex_;
    std::vector<Voice*> voices_;
    std::vector<float> mono_;
    const AudioDevice* output_ = nullptr;
    const AudioDevice* input_ = nullptr;
    bool toldNoMicrophone_ = false;
};

}  // namespace lectern::platform
