#include "platform/media/ThreadedDriver.h"

#include "platform/media/DeviceKeeper.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace lectern::platform {

ThreadedDriver::~ThreadedDriver() {
    stop();
}

void ThreadedDriver::start(DeviceKeeper& keeper) {
    keeper_ = &keeper;
    thread_ = std::thread([this] { run(); });
}

void ThreadedDriver::poke() {
    {
        std::lock_guard lock(mutex_);
        ++asked_;
    }
    wake_.notify_all();
}

void ThreadedDriver::openAside() {
    {
        std::lock_guard lock(mutex_);
        openAside_ = true;
        ++asked_;
    }
    wake_.notify_all();
}

void ThreadedDriver::settle() {
    std::unique_lock lock(mutex_);
    const long long target = ++asked_;
    wake_.notify_all();
    settled_.wait(lock, [&] { return done_ >= target || ended_; });
}

bool ThreadedDriver::shutDown(double seconds) {
    std::unique_lock lock(mutex_);
    quit_ = true;
    wake_.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    if (!settled_.wait_until(lock, deadline, [&] { return ended_; }))
        return false;
    lock.unlock();
    if (thread_.joinable())
        thread_.join();
    const std::chrono::duration<double> left = deadline - std::chrono::steady_clock::now();
    return keeper_->waitForOpening(std::max(0.0, left.count()));
}

void ThreadedDriver::stop() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void ThreadedDriver::run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        const long long asked = asked_;
        const bool aside = std::exchange(openAside_, false);
        lock.unlock();
        if (aside)
            keeper_->openDevice();
        const double next = keeper_->maintain();
        lock.lock();
        done_ = asked;
        settled_.notify_all();
        const auto askedAgain = [&] { return quit_ || asked_ != asked; };
        if (next < 0)
            wake_.wait(lock, askedAgain);
        else
            wake_.wait_for(lock, std::chrono::duration<double>(next), askedAgain);
    }
    lock.unlock();
    keeper_->close();
    lock.lock();
    ended_ = true;
    settled_.notify_all();
}

}  // namespace lectern::platform
