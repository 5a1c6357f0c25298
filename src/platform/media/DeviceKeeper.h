#pragma once

#include "platform/media/AudioDevice.h"

#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace lectern::platform {

class DeviceOpening;
class Mixer;

// Keeps the streams the mixer plays on and records from, and is the one
// that calls the devices (opening, starting, stopping, giving up a stream).
// The playback stream opens when a voice starts and closes after 10 s
// without one; the capture stream runs exactly while a voice records. A
// device that fails is given up and the voices move to a fallback device
// (a silent clock), and back to the device, tried every 2 s, when it
// answers again. Opening the device gets 2 s before the voices go to the
// fallback; an open that hangs longer goes on aside, and its device is
// taken when it comes.
//
// All but deviceName() run on one thread at a time: the engine's driver's.
class DeviceKeeper {
  public:
    // Makes the device to fall back on when the current one fails; it gets
    // the failed device's format. By default a SilentDevice.
    using Fallback = std::function<std::unique_ptr<AudioDevice>(const AudioDevice::Format&)>;
    using Opener = std::function<std::unique_ptr<AudioDevice>()>;

    DeviceKeeper(Mixer& mixer, std::unique_ptr<AudioDevice> device, Fallback fallback);
    // Opens the device by `open` on a thread of its own (DeviceOpening);
    // `answered` is called on that thread when an open has ended.
    DeviceKeeper(Mixer& mixer, Opener open, std::function<void()> answered, Fallback fallback);
    // Waits for an open under way.
    ~DeviceKeeper();
    DeviceKeeper(const DeviceKeeper&) = delete;
    DeviceKeeper& operator=(const DeviceKeeper&) = delete;

    // Brings the streams in line with what the voices want. Returns how soon
    // it wants to run again (in seconds, or a negative number for never
    // unless asked).
    double maintain();
    // Takes the device, opening it if it has none; false while there is none.
    bool openDevice();
    // Closes the streams and lets the devices go; the voices stand still.
    void close();
    // Waits up to `seconds` until no open is under way.
    bool waitForOpening(double seconds);

    // The opened device's name, or "silent clock" while there is none or it
    // has failed. From any thread.
    QString deviceName();

  private:
    class Port;
    enum Direction { Output, Input };

    // Keeps one direction's stream as the voices want it.
    void keep(Direction direction, bool wanted, bool mayStop, bool mayTry, double now);
    bool tryDevice(Direction direction, bool mayTry, double now);
    bool onDevice(Direction direction) const;
    // Makes `port` the one whose stream of that direction the voices use.
    void carry(Direction direction, Port* port);
    bool start(Port& port, Direction direction);
    void stop(Port& port, Direction direction);
    // An open that outlived its deadline has brought its answer.
    bool deviceAnswered();
    void giveUpDevice();
    Port* fallback();
    void setDeviceName(const QString& name);

    Mixer& mixer_;
    Fallback fallback_;
    std::unique_ptr<Port> device_;
    std::unique_ptr<Port> fallbackPort_;
    std::vector<std::unique_ptr<Port>> abandoned_;
    Port* carriers_[2] = {nullptr, nullptr};
    AudioDevice::Format lastFormat_;
    double lastSound_ = -1e9;
    double nextTry_ = 0;

    std::mutex nameMutex_;
    QString deviceName_;
    // Last, so that an open still under way ends before the rest goes.
    std::unique_ptr<DeviceOpening> opening_;
};

}  // namespace lectern::platform
