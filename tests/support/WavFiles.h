#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace lectern::test {

// A sound file as libsndfile reads it back.
struct WavInfo {
    bool valid = false;
    int format = 0;
    int sampleRate = 0;
    int channels = 0;
    long long frames = 0;
    std::vector<float> samples;

    double ms() const { return sampleRate ? frames * 1000.0 / sampleRate : 0; }
};

// Writes `ms` milliseconds of a 440 Hz tone at half scale (or silence with
// `frequency` 0) as a sound file in libsndfile's `format`.
void writeTone(const QString& path, int format, int sampleRate, int channels, int ms,
               double frequency = 440);
WavInfo readWav(const QString& path);

// The 44 bytes that start a 16-bit mono PCM WAV file whose data chunk claims
// `dataBytes` (the samples themselves are not written).
QByteArray wavHeader(quint32 dataBytes, int sampleRate = 22050);

// The frequency of the tone in channel 0 of interleaved `samples`, from the
// rising crossings of zero between the first and the last; 0 without two
// such crossings. Quiet stretches (below `floor`) are left out.
double toneFrequency(const std::vector<float>& samples, int channels, int sampleRate,
                     float floor = 0.05f);

}  // namespace lectern::test
