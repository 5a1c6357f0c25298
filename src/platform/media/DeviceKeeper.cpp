#include "platform/media/DeviceKeeper.h"

#include "platform/media/DeviceOpening.h"
#include "platform/media/Mixer.h"
#include "platform/media/MonotonicClock.h"
#include "platform/media/SilentDevice.h"

#include <algorithm>

namespace lectern::platform {

namespace {
// The playback stream stays open this long after the last sound, so that
// the next passage played starts on a running stream.
constexpr double idleSeconds = 10;
// How often a missing or failed device is tried again while sound is wanted.
constexpr double retrySeconds = 2;
// How long the voices wait for a device to open before they go on on the
// silent clock.
constexpr double openSeconds = 2;
// How often running streams are looked at.
constexpr double watchSeconds = 0.25;

QString silentClock() {
    return QStringLiteral("silent clock");
}
}  // namespace

// A device with the mixer as the renderer of its streams. A stream reaches
// the voices only while its device is the mixer's output or input; a stream
// that is starting, or is being given up, renders silence.
class DeviceKeeper::Port final : public AudioDevice::Renderer {
  public:
    Port(Mixer& mixer, std::unique_ptr<AudioDevice> device)
        : mixer(mixer), device(std::move(device)) {}

    void render(float* out, int frames, int channels, double playTime) override {
        mixer.render(*device, out, frames, channels, playTime);
    }
    void capture(const float* in, int frames, int channels, double captureTime) override {
        mixer.capture(*device, in, frames, channels, captureTime);
    }

    Mixer& mixer;
    std::unique_ptr<AudioDevice> device;
    // Whether its stream of each direction runs.
    bool started[2] = {false, false};
};

DeviceKeeper::DeviceKeeper(Mixer& mixer, std::unique_ptr<AudioDevice> device, Fallback fallback)
    : mixer_(mixer), fallback_(std::move(fallback)) {
    device_ = std::make_unique<Port>(mixer_, std::move(device));
    lastFormat_ = device_->device->format();
    deviceName_ = device_->device->name();
}

DeviceKeeper::DeviceKeeper(Mixer& mixer, Opener open, std::function<void()> answered,
                           Fallback fallback)
    : mixer_(mixer), fallback_(std::move(fallback)), deviceName_(silentClock()) {
    opening_ = std::make_unique<DeviceOpening>(std::move(open), std::move(answered));
}

DeviceKeeper::~DeviceKeeper() = default;

QString DeviceKeeper::deviceName() {
    std::lock_guard lock(nameMutex_);
    return deviceName_;
}

void DeviceKeeper::setDeviceName(const QString& name) {
    std::lock_guard lock(nameMutex_);
    deviceName_ = name;
}

bool DeviceKeeper::waitForOpening(double seconds) {
    return !opening_ || opening_->wait(seconds);
}

bool DeviceKeeper::openDevice() {
    if (device_)
        return true;
    if (!opening_)
        return false;
    std::unique_ptr<AudioDevice> device = opening_->take(openSeconds);
    if (!device)
        return false;
    device_ = std::make_unique<Port>(mixer_, std::move(device));
    lastFormat_ = device_->device->format();
    setDeviceName(device_->device->name());
    return true;
}

bool DeviceKeeper::deviceAnswered() {
    return !device_ && opening_ && opening_->answered();
}

DeviceKeeper::Port* DeviceKeeper::fallback() {
    if (!fallbackPort_) {
        AudioDevice::Format format = lastFormat_;
        format.sampleRate = mixer_.rate();
        // It stands in for a missing microphone too.
        format.inputChannels = std::max(1, format.inputChannels);
        std::unique_ptr<AudioDevice> device;
        if (fallback_)
            device = fallback_(format);
        if (!device)
            device = std::make_unique<SilentDevice>(format);
        fallbackPort_ = std::make_unique<Port>(mixer_, std::move(device));
    }
    return fallbackPort_.get();
}

void DeviceKeeper::giveUpDevice() {
    if (carriers_[Output] == device_.get()) {
        // So that the lesson keeps in step with the time that passed.
        mixer_.bridgeStalled();
        carry(Output, nullptr);
    }
    if (carriers_[Input] == device_.get())
        carry(Input, nullptr);
    device_->device->abandon();
    device_->started[Output] = device_->started[Input] = false;
    abandoned_.push_back(std::move(device_));
    nextTry_ = monotonicSeconds() + retrySeconds;
    setDeviceName(silentClock());
}

void DeviceKeeper::carry(Direction direction, Port* port) {
    carriers_[direction] = port;
    const AudioDevice* device = port ? port->device.get() : nullptr;
    if (direction == Output)
        mixer_.moveOutput(device);
    else
        mixer_.moveInput(device);
}

bool DeviceKeeper::start(Port& port, Direction direction) {
    AudioDevice& device = *port.device;
    port.started[direction] =
        direction == Output ? device.startOutput(port) : device.startInput(port);
    return port.started[direction];
}

void DeviceKeeper::stop(Port& port, Direction direction) {
    if (direction == Output)
        port.device->stopOutput();
    else
        port.device->stopInput();
    port.started[direction] = false;
}

// Before the device is first opened both directions are carried by none:
// that is not "already on the device", so the first sound tries it at once.
bool DeviceKeeper::onDevice(Direction direction) const {
    return device_ && carriers_[direction] == device_.get();
}

bool DeviceKeeper::tryDevice(Direction direction, bool mayTry, double now) {
    if (!mayTry)
        return false;
    if (!openDevice() || !(device_->started[direction] || start(*device_, direction))) {
        nextTry_ = now + retrySeconds;
        return false;
    }
    return true;
}

void DeviceKeeper::keep(Direction direction, bool wanted, bool mayStop, bool mayTry, double now) {
    if (wanted) {
        if (!onDevice(direction) && tryDevice(direction, mayTry, now)) {
            carry(direction, device_.get());
            if (fallbackPort_ && fallbackPort_->started[direction])
                stop(*fallbackPort_, direction);
        }
        if (!carriers_[direction]) {
            Port* port = fallback();
            start(*port, direction);
            carry(direction, port);
        }
    } else if (carriers_[direction] && mayStop) {
        Port* port = carriers_[direction];
        carry(direction, nullptr);
        stop(*port, direction);
    }
}

double DeviceKeeper::maintain() {
    const Mixer::Wants wants = mixer_.wanted();
    const double now = monotonicSeconds();
    if (wants.output)
        lastSound_ = now;
    if (device_ && (device_->started[Output] || device_->started[Input]) &&
        device_->device->failed())
        giveUpDevice();
    const bool mayTry = now >= nextTry_ || deviceAnswered();
    keep(Output, wants.output, now - lastSound_ >= idleSeconds, mayTry, now);
    keep(Input, wants.input, true, mayTry, now);
    // Known only once the device was asked (it is, unless a failed one
    // waits for its next try).
    if (wants.input && (onDevice(Input) || mayTry))
        mixer_.answerMicrophone(onDevice(Input));

    const bool silent = !device_ || (carriers_[Output] && carriers_[Output] == fallbackPort_.get());
    setDeviceName(silent ? silentClock() : device_->device->name());
    return carriers_[Output] || carriers_[Input] ? watchSeconds : -1;
}

void DeviceKeeper::close() {
    mixer_.standStill();
    carriers_[Output] = nullptr;
    carry(Input, nullptr);
    // The streams are closed here, on the thread that opened them.
    for (Port* port : {device_.get(), fallbackPort_.get()})
        if (port) {
            stop(*port, Output);
            stop(*port, Input);
        }
    device_.reset();
    fallbackPort_.reset();
}

}  // namespace lectern::platform
