#pragma once

#include "platform/media/FileRecordingTarget.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace lectern::test {

// A recording target on a real file that fails as a disk does: a write past
// `room` bytes of file stores what fits and fails with "No space left on
// device", and while stalled every write waits until resume().
class FailingRecordingTarget : public platform::FileRecordingTarget {
  public:
    FailingRecordingTarget(platform::SafeFile file, long long room)
        : FileRecordingTarget(std::move(file)), room_(room) {}

    void stall() {
        std::lock_guard lock(mutex_);
        stalled_ = true;
    }
    void resume() {
        std::lock_guard lock(mutex_);
        stalled_ = false;
        resumed_.notify_all();
    }

    long long write(const void* data, long long bytes) override {
        {
            std::unique_lock lock(mutex_);
            resumed_.wait(lock, [&] { return !stalled_; });
        }
        const long long fits = std::clamp(room_ - tell(), 0LL, bytes);
        const long long done = fits > 0 ? FileRecordingTarget::write(data, fits) : 0;
        if (done < bytes)
            full_ = true;
        return done;
    }
    QString failure() const override {
        return full_ ? QStringLiteral("No space left on device") : FileRecordingTarget::failure();
    }

  private:
    const long long room_;
    bool full_ = false;
    std::mutex mutex_;
    std::condition_variable resumed_;
    bool stalled_ = false;
};

}  // namespace lectern::test
