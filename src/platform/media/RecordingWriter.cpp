#include "platform/media/RecordingWriter.h"

#include "platform/Error.h"

#include <samplerate.h>
#include <sndfile.h>
#include <algorithm>

namespace lectern::platform {

namespace {
constexpr std::size_t chunkFrames = 4096;
// 2^22 samples: 87 s of mono sound at 48 kHz waiting to be written.
constexpr std::size_t ringSamples = std::size_t(1) << 22;
}  // namespace

RecordingWriter::RecordingWriter(SafeFile file, const QString& shownName, SoundFormat format,
                                 const float* keep, long long keepFrames, int deviceRate)
    : format_(format), deviceRate_(deviceRate), ring_(ringSamples), shownName_(shownName) {
    SF_INFO info{};
    info.samplerate = format.sampleRate;
    info.channels = format.channels;
    info.format = format.format;
    if (!sf_format_check(&info)) {
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        format_.format = info.format;
    }
    file_ = sf_open_fd(file.release(), SFM_WRITE, &info, SF_TRUE);
    if (!file_)
        throw EMCIDeviceError(QStringLiteral("Cannot record into sound file %1: %2")
                                  .arg(shownName, QString::fromLocal8Bit(sf_strerror(nullptr))));
    sf_command(file_, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    if (keepFrames > 0)
        sf_writef_float(file_, keep, keepFrames);
    sf_command(file_, SFC_UPDATE_HEADER_NOW, nullptr, 0);

    if (deviceRate_ != format_.sampleRate) {
        int error = 0;
        resampler_ = src_new(SRC_SINC_MEDIUM_QUALITY, 1, &error);
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
    if (sf_close(file_) != 0 && error_.isEmpty())
        error_ = QStringLiteral("Cannot record into sound file %1: %2")
                     .arg(shownName_, QString::fromLocal8Bit(sf_strerror(nullptr)));
    file_ = nullptr;
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
            if (src_process(resampler_, &data) != 0)
                return;
            writeFrames(resampled_.data(), data.output_frames_gen);
            data.data_in += data.input_frames_used;
            data.input_frames -= data.input_frames_used;
        } while (data.input_frames > 0 || (data.end_of_input && data.output_frames_gen > 0));
        if (data.end_of_input)
            return;
    }
}

void RecordingWriter::writeFrames(const float* mono, long long frames) {
    if (frames <= 0 || !file_)
        return;
    const int channels = format_.channels;
    for (long long i = 0; i < frames; ++i)
        std::fill_n(interleaved_.begin() + i * channels, channels,
                    std::clamp(mono[i], -1.0f, 1.0f));
    if (sf_writef_float(file_, interleaved_.data(), frames) != frames && error_.isEmpty())
        error_ = QStringLiteral("Cannot record into sound file %1: %2")
                     .arg(shownName_, QString::fromLocal8Bit(sf_strerror(file_)));
}

}  // namespace lectern::platform
