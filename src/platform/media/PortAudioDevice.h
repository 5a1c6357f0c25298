#pragma once

#include "platform/media/AudioDevice.h"

#include <atomic>
#include <memory>

namespace lectern::platform {

// The system's default sound output and input through PortAudio, as two
// streams opened only while they are started. PortAudio is called from one
// thread at a time: the device is opened on one, then started and stopped
// on another (the engine's), never both at once; now() and failed() read
// what the callbacks published.
class PortAudioDevice : public AudioDevice {
  public:
    // Null, with the reason, when PortAudio cannot start or there is no
    // output device. Opens no stream.
    static std::unique_ptr<PortAudioDevice> open(int sampleRate, QString* reason);
    // Closes the streams and PortAudio, unless the streams were abandoned:
    // then both are left alone, since closing could wait for a dead server
    // (the next device to open ends PortAudio, see PortAudioLibrary).
    ~PortAudioDevice() override;

    Format format() const override { return format_; }
    bool startOutput(Renderer& renderer) override;
    void stopOutput() override;
    bool startInput(Renderer& renderer) override;
    void stopInput() override;
    void abandon() override;
    double now() const override;
    bool failed() const override;
    QString name() const override { return name_; }

    class Stream;

  private:
    PortAudioDevice();

    Format format_;
    QString name_;
    int outputDevice_ = -1;
    int inputDevice_ = -1;
    std::unique_ptr<Stream> output_, input_;
    bool abandoned_ = false;
    // The device clock's lead over the monotonic clock, set by the callbacks.
    std::atomic<double> clockOffset_{0};
};

}  // namespace lectern::platform
