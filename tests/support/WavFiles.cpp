#include "support/WavFiles.h"

#include <QtEndian>

#include <sndfile.h>
#include <QFile>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace lectern::test {

void writeTone(const QString& path, int format, int sampleRate, int channels, int ms,
               double frequency) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error(sf_strerror(nullptr));
    const long long frames = (long long)ms * sampleRate / 1000;
    std::vector<float> samples(std::size_t(frames) * channels);
    for (long long i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples[std::size_t(i * channels + c)] =
                float(0.5 * std::sin(2 * std::numbers::pi * frequency * double(i) / sampleRate));
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}

WavInfo readWav(const QString& path) {
    WavInfo result;
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return result;
    result.valid = true;
    result.format = info.format;
    result.sampleRate = info.samplerate;
    result.channels = info.channels;
    std::vector<float> chunk(std::size_t(4096) * info.channels);
    sf_count_t got;
    while ((got = sf_readf_float(file, chunk.data(), 4096)) > 0) {
        result.samples.insert(result.samples.end(), chunk.begin(),
                              chunk.begin() + got * info.channels);
        result.frames += got;
    }
    sf_close(file);
    return result;
}

double toneFrequency(const std::vector<float>& samples, int channels, int sampleRate, float floor) {
    // Periods are counted across sound only: a crossing after a quiet
    // stretch starts a new span.
    const std::size_t frames = samples.size() / std::size_t(channels);
    const std::size_t quiet = std::size_t(sampleRate / 100);
    double spanStart = -1, last = -1, periods = 0, length = 0;
    std::size_t lastLoud = 0;
    for (std::size_t i = 1; i < frames; ++i) {
        const float a = samples[(i - 1) * channels], b = samples[i * channels];
        if (std::abs(b) >= floor)
            lastLoud = i;
        if (!(a < 0 && b >= 0))
            continue;
        const double at = double(i - 1) + double(a / (a - b));
        if (spanStart >= 0 && i - lastLoud < quiet) {
            periods += 1;
            last = at;
        } else {
            length += last - spanStart;
            spanStart = last = at;
        }
    }
    length += last - spanStart;
    return length > 0 ? periods * sampleRate / length : 0;
}

QByteArray wavHeader(quint32 dataBytes, int sampleRate) {
    QByteArray h;
    const auto u32 = [&h](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        h.append(reinterpret_cast<const char*>(&le), 4);
    };
    const auto u16 = [&h](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        h.append(reinterpret_cast<const char*>(&le), 2);
    };
    h += "RIFF";
    u32(36 + dataBytes);
    h += "WAVEfmt ";
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(quint32(sampleRate));
    u32(quint32(sampleRate) * 2);
    u16(2);
    u16(16);
    h += "data";
    u32(dataBytes);
    return h;
}

}  // namespace lectern::test
