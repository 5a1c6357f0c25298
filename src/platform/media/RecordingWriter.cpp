#include "platform/media/RecordingWriter.h"

#include "platform/Error.h"
#include "platform/media/FileRecordingTarget.h"

#include <samplerate.h>
#include <sndfile.h>
#include <algorithm>
#include <cmath>

namespace lectern::platform {

namespace {
constexpr std::size_t chunkFrames = 4096;
// 2^22 samples: 87 s of mono sound at 48 kHz waiting to be written.
constexpr std::size_t ringSamples = std::size_t(1) << 22;

RecordingTarget& targetOf(void* self) {
    return *static_cast<RecordingTarget*>(self);
}

SF_VIRTUAL_IO targetIo = {
    [](void* self) -> sf_count_t { return targetOf(self).length(); },
    [](sf_count_t offset, int whence, void* self) -> sf_count_t {
        return targetOf(self).seek(offset, whence);
    },
    [](void* data, sf_count_t bytes, void* self) -> sf_count_t {
        return targetOf(self).read(data, bytes);
    },
    [](const void* data, sf_count_t bytes, void* self) -> sf_count_t {
        return targetOf(self).write(data, bytes);
    },
    [](void* self) -> sf_count_t { return targetOf(self).tell(); },
};

QString cannotRecord(const QString& shownName, const QString& reason) {
    return QStringLiteral("Cannot record into sound file %1: %2").arg(shownName, reason);
}
}  // namespace

RecordingWriter::RecordingWriter(SafeFile file, const QString& shownName, SoundFormat format,
                                 const float* keep, long long keepFrames, int deviceRate)
    : RecordingWriter(std::make_unique<FileRecordingTarget>(std::move(file)), shownName, format,
                      keep, keepFrames, deviceRate) {}

RecordingWriter::RecordingWriter(std::unique_ptr<RecordingTarget> target, const QString& shownName,
                                 SoundFormat format, const float* keep, long long keepFrames,
                                 int deviceRate)
    : format_(format),
      deviceRate_(deviceRate),
      target_(std::move(target)),
      ring_(ringSamples),
      shownName_(shownName) {
    SF_INFO info{};
    info.samplerate = format.sampleRate;
    info.channels = format.channels;
    info.format = format.format;
    if (!sf_format_check(&info)) {
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        format_.format = info.format;
    }
    file_ = sf_open_virtual(&targetIo, SFM_WRITE, &info, target_.get());
    if (!file_)
        throw EMCIDeviceError(cannotRecord(shownName, writeFailure()));
    sf_command(file_, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    const bool kept = keepFrames <= 0 || sf_writef_float(file_, keep, keepFrames) == keepFrames;
    sf_command(file_, SFC_UPDATE_HEADER_NOW, nullptr, 0);

    int error = 0;
    if (kept && deviceRate_ != format_.sampleRate)
        resampler_ = src_new(SRC_SINC_MEDIUM_QUALITY, 1, &error);
    if (!kept || (deviceRate_ != format_.sampleRate && !resampler_)) {
        const QString reason = kept ? QString::fromUtf8(src_strerror(error)) : writeFailure();
        sf_close(file_);
        file_ = nullptr;
        throw EMCIDeviceError(cannotRecord(shownName, reason));
    }
    in_.resize(chunkFrames);
    resampled_.resize(chunkFrames * 2 * std::max(1.0, double(format_.sampleRate) / deviceRate_) +
                      64);
    interleaved_.resize(resampled_.size() * format_.channels);
    thread_ = std::thread([this] { run(); });
}

RecordingWriter::~RecordingWriter() {
    finish();
    if (resampler_)
        src_delete(resampler_);
}

QString RecordingWriter::writeFailure() const {
    const QString reason = target_->failure();
    return reason.isEmpty() ? QString::fromLocal8Bit(sf_strerror(file_)) : reason;
}

void RecordingWriter::fail(const QString& reason) {
    if (error_.isEmpty())
        error_ = cannotRecord(shownName_, reason);
}

void RecordingWriter::push(const float* mono, int frames) {
    if (finishing_.load(std::memory_order_relaxed))
        return;
    const std::size_t stored = ring_.push(mono, std::size_t(frames));
    pushed_.fetch_add((long long)stored, std::memory_order_relaxed);
    if (stored < std::size_t(frames))
        dropped_.fetch_add(frames - (long long)stored, std::memory_order_relaxed);
    if (ring_.size() > ring_.capacity() / 4)
        wake_.notify_one();
}

void RecordingWriter::finish() {
    if (finished_)
        return;
    finished_ = true;
    {
        std::lock_guard lock(mutex_);
        finishing_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
    drain(true);
    if (const long long missing = dropped_.load(std::memory_order_relaxed); missing > 0)
        fail(QStringLiteral("%1 s of the recording were lost because the disk did not keep up")
                 .arg(std::max(0.1, std::round(double(missing) / deviceRate_ * 10) / 10)));
    if (sf_close(file_) != 0)
        fail(writeFailure());
    file_ = nullptr;
    if (!target_->close())
        fail(target_->failure());
}

void RecordingWriter::run() {
    std::unique_lock lock(mutex_);
    while (!finishing_) {
        wake_.wait_for(lock, std::chrono::milliseconds(20));
        lock.unlock();
        drain(false);
        lock.lock();
    }
}

void RecordingWriter::drain(bool endOfInput) {
    for (;;) {
        const auto n = ring_.pop(in_.data(), in_.size());
        if (n == 0 && !(endOfInput && resampler_))
            return;
        if (!error_.isEmpty()) {
            // Nothing more is written after a failure: the file keeps a
            // sound that ends where the failure came.
            if (n == 0)
                return;
            continue;
        }
        if (!resampler_) {
            writeFrames(in_.data(), (long long)n);
            continue;
        }
        SRC_DATA data{};
        data.data_in = in_.data();
        data.input_frames = long(n);
        data.src_ratio = double(format_.sampleRate) / deviceRate_;
        data.end_of_input = (n == 0 && endOfInput) ? 1 : 0;
        do {
            data.data_out = resampled_.data();
            data.output_frames = long(resampled_.size());
            if (const int error = src_process(resampler_, &data); error != 0) {
                fail(QString::fromUtf8(src_strerror(error)));
                break;
            }
            writeFrames(resampled_.data(), data.output_frames_gen);
            data.data_in += data.input_frames_used;
            data.input_frames -= data.input_frames_used;
        } while (data.input_frames > 0 || (data.end_of_input && data.output_frames_gen > 0));
        if (data.end_of_input)
            return;
    }
}

void RecordingWriter::writeFrames(const float* mono, long long frames) {
    if (frames <= 0 || !file_ || !error_.isEmpty())
        return;
    const int channels = format_.channels;
    for (long long i = 0; i < frames; ++i)
        std::fill_n(interleaved_.begin() + i * channels, channels,
                    std::clamp(mono[i], -1.0f, 1.0f));
    if (sf_writef_float(file_, interleaved_.data(), frames) != frames)
        fail(writeFailure());
}

}  // namespace lectern::platform
