#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace lectern::platform {

// How a sound file stores its samples: libsndfile's format code (container
// and encoding), rate and channels.
struct SoundFormat {
    int format = 0;
    int sampleRate = 0;
    int channels = 0;
};

// A sound file decoded whole into memory as interleaved floats, so playing
// never waits for the disk. Course sounds are minutes long: a 5 minute mono
// file takes 4 bytes × rate × 300 (26 MB at 22.05 kHz).
class Sound {
  public:
    // Reads every frame the file really holds (a header that claims more or
    // fewer frames does not matter). Raises EMCIDeviceError naming
    // `shownName` with the reason when the file cannot be read as sound. The
    // file must be a regular one, below `root` when that is not empty.
    static std::shared_ptr<const Sound> load(const QString& path, const QString& shownName,
                                             const QString& root = QString());

    // Writes `frames` frames of `samples` as a new file in `format` (or 16-bit
    // PCM WAV when that format cannot be written), replacing `path` whole,
    // never through a link; raises EMCIDeviceError.
    static void write(const QString& path, const QString& shownName, SoundFormat format,
                      const float* samples, long long frames);

    SoundFormat format;
    std::vector<float> samples;

    long long frames() const {
        return format.channels > 0 ? (long long)samples.size() / format.channels : 0;
    }
    const float* frame(long long index) const { return samples.data() + index * format.channels; }
};

}  // namespace lectern::platform
