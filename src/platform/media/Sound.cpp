#include "platform/media/Sound.h"

#include "platform/Error.h"
#include "platform/files/FileReplacement.h"
#include "platform/files/SafeFile.h"

#include <sndfile.h>
#include <algorithm>

namespace lectern::platform {

namespace {

// A decoded sound larger than this (1 GiB of samples) is refused rather than
// taking the machine's memory.
constexpr long long maxSamples = 256LL * 1024 * 1024;

QString tooLong() {
    return QStringLiteral("the sound is too long (more than %1 M samples)").arg(maxSamples >> 20);
}

[[noreturn]] void fail(const QString& shownName, const QString& reason) {
    throw EMCIDeviceError(QStringLiteral("Cannot open sound file %1: %2").arg(shownName, reason));
}

QString sndfileReason(SNDFILE* file) {
    QString reason = QString::fromLocal8Bit(sf_strerror(file)).trimmed();
    if (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    return reason;
}

struct Closer {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using File = std::unique_ptr<SNDFILE, Closer>;

}  // namespace

std::shared_ptr<const Sound> Sound::load(const QString& path, const QString& shownName,
                                         const QString& root) {
    SafeFile source = SafeFile::openToRead(path, SafeFile::soundLimit, root);
    if (!source.isOpen())
        fail(shownName, source.failure());
    const qint64 size = source.size();
    if (size == 0)
        fail(shownName, QStringLiteral("the file is empty"));

    SF_INFO sfinfo{};
    File file(sf_open_fd(source.release(), SFM_READ, &sfinfo, SF_TRUE));
    if (!file)
        fail(shownName, sndfileReason(nullptr));
    if (sfinfo.channels < 1 || sfinfo.channels > 64 || sfinfo.samplerate < 1 ||
        sfinfo.samplerate > 1000000)
        fail(shownName, QStringLiteral("unsupported sound format (%1 channels, %2 Hz)")
                            .arg(sfinfo.channels)
                            .arg(sfinfo.samplerate));

    // The length the header gives is known before a sample is read: a sound
    // that claims more than the limit is refused without decoding it.
    if (sfinfo.frames > maxSamples / sfinfo.channels)
        fail(shownName, tooLong());

    auto sound = std::make_shared<Sound>();
    sound->format = {sfinfo.format, sfinfo.samplerate, sfinfo.channels};
    // The header's frame count may lie: reserve no more than the bytes could
    // hold, and read until the data really ends.
    const long long bound = std::min<long long>(sfinfo.frames, size * 2) * sfinfo.channels;
    sound->samples.reserve(std::size_t(std::clamp<long long>(bound, 0, maxSamples)));
    std::vector<float> chunk(std::size_t(8192) * sfinfo.channels);
    for (;;) {
        const sf_count_t got = sf_readf_float(file.get(), chunk.data(), 8192);
        if (got <= 0)
            break;
        if ((long long)sound->samples.size() + got * sfinfo.channels > maxSamples)
            fail(shownName, tooLong());
        sound->samples.insert(sound->samples.end(), chunk.begin(),
                              chunk.begin() + got * sfinfo.channels);
    }
    return sound;
}

void Sound::write(const QString& path, const QString& shownName, SoundFormat format,
                  const float* samples, long long frames) {
    SF_INFO sfinfo{};
    sfinfo.samplerate = format.sampleRate;
    sfinfo.channels = format.channels;
    sfinfo.format = format.format;
    if (!sf_format_check(&sfinfo))
        sfinfo.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const auto failed = [&](const QString& reason) {
        return EMCIDeviceError(
            QStringLiteral("Cannot write sound file %1: %2").arg(shownName, reason));
    };
    // Written whole or not at all, and never through a link.
    FileReplacement target(path, FileReplacement::Links::RefuseLinks);
    if (!target.isOpen())
        throw failed(target.failure());
    File file(sf_open_fd(target.fd(), SFM_WRITE, &sfinfo, SF_FALSE));
    if (!file)
        throw failed(sndfileReason(nullptr));
    if (frames > 0 && sf_writef_float(file.get(), samples, frames) != frames)
        throw failed(sndfileReason(file.get()));
    if (sf_close(file.release()) != 0)
        throw failed(sndfileReason(nullptr));
    if (!target.commit())
        throw failed(target.failure());
}

}  // namespace lectern::platform
