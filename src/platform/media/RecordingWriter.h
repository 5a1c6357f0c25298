#pragma once

#include "platform/files/SafeFile.h"
#include "platform/media/CaptureSink.h"
#include "platform/media/RecordingTarget.h"
#include "platform/media/SampleRing.h"
#include "platform/media/Sound.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

typedef struct sf_private_tag SNDFILE;
typedef struct SRC_STATE_tag SRC_STATE;

namespace lectern::platform {

// Writes what the microphone hears into a sound file as it comes. The device
// thread hands over mono frames at the device rate without waiting; a writer
// thread of this object converts them to the file's rate, channels and
// encoding and writes them every 20 ms with the header brought up to date
// on each write, so the file on disk is a valid sound file at every moment.
// A write that fails (a full disk), a conversion that fails and frames the
// writer could not keep up with end in error(); what was written before stays.
class RecordingWriter : public CaptureSink {
  public:
    // Writes a new sound in `format` into `file` (empty, opened for writing
    // without following links) and first `keep` (frames of the file's
    // earlier content to keep before the recording). Raises EMCIDeviceError,
    // also when the kept frames cannot be written.
    RecordingWriter(SafeFile file, const QString& shownName, SoundFormat format, const float* keep,
                    long long keepFrames, int deviceRate);
    RecordingWriter(std::unique_ptr<RecordingTarget> target, const QString& shownName,
                    SoundFormat format, const float* keep, long long keepFrames, int deviceRate);
    ~RecordingWriter();

    // Device thread: never blocks. `mono` null is silence.
    void push(const float* mono, int frames) override;
    // Writes everything pushed so far and closes the file. Later pushes are dropped.
    void finish();

    long long framesPushed() const { return pushed_.load(std::memory_order_relaxed); }
    long long framesDropped() const { return dropped_.load(std::memory_order_relaxed); }
    // After finish: why the file does not hold all that was pushed (a full
    // disk, sound lost because the disk did not keep up), or empty.
    QString error() const { return error_; }

  private:
    void run();
    void drain(bool endOfInput);
    void writeFrames(const float* mono, long long frames);
    void fail(const QString& reason);
    QString writeFailure() const;

    SoundFormat format_;
    int deviceRate_;
    std::unique_ptr<RecordingTarget> target_;
    SNDFILE* file_ = nullptr;
    SRC_STATE* resampler_ = nullptr;
    SampleRing ring_;
    std::vector<float> in_, resampled_, interleaved_;
    std::atomic<long long> pushed_{0};
    std::atomic<long long> dropped_{0};
    std::atomic<bool> finishing_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
    bool finished_ = false;
    QString shownName_;
    QString error_;
};

}  // namespace lectern::platform
