#include "platform/media/DeviceOpening.h"

#include <chrono>

namespace lectern::platform {

DeviceOpening::DeviceOpening(Opener open, std::function<void()> ended)
    : open_(std::move(open)), ended_(std::move(ended)) {}

DeviceOpening::~DeviceOpening() {
    if (thread_.joinable())
        thread_.join();
}

std::unique_ptr<AudioDevice> DeviceOpening::take(double seconds) {
    std::unique_lock lock(mutex_);
    const bool start = stage_ == Stage::Idle;
    if (start) {
        // The last opening thread has done all but return.
        if (thread_.joinable()) {
            lock.unlock();
            thread_.join();
            lock.lock();
        }
        stage_ = Stage::Opening;
        thread_ = std::thread([this] {
            std::unique_ptr<AudioDevice> device;
            try {
                device = open_();
            } catch (...) {
                // A device that cannot be opened is no device.
            }
            {
                std::lock_guard lock(mutex_);
                device_ = std::move(device);
                stage_ = Stage::Answered;
            }
            changed_.notify_all();
            if (ended_)
                ended_();
        });
    }
    if (start)
        changed_.wait_for(lock, std::chrono::duration<double>(seconds),
                          [&] { return stage_ == Stage::Answered; });
    if (stage_ != Stage::Answered)
        return nullptr;
    stage_ = Stage::Idle;
    return std::move(device_);
}

bool DeviceOpening::answered() {
    std::lock_guard lock(mutex_);
    return stage_ == Stage::Answered;
}

bool DeviceOpening::wait(double seconds) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::duration<double>(seconds),
                             [&] { return stage_ != Stage::Opening; });
}

}  // namespace lectern::platform
