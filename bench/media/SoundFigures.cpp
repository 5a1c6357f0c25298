// Figures of the sound engine on a desktop, under a private PulseAudio
// server (run by hand: lectern-sound-figures): the process's CPU at rest and
// while a lesson plays, from Play to the first frame on the device for the
// program's first stream and with the playback stream open and closed, how
// long the capture stream takes to deliver, to a recording and to a take,
// and where a recording places what it heard.
//
// The first frame is timed on two devices. A pipe sink read at the pace of
// real time stands for a sound card, and paplay's figure on it is the
// yardstick. The null sink's monitor hears any new stream about a second
// late whoever plays it, so its figures are kept only for comparison with
// earlier runs. Recordings are made from the null sink's monitor.
#include "media/PipeSink.h"
#include "media/PulseServer.h"
#include "support/WavFiles.h"

#include "platform/files/CourseFiles.h"
#include "platform/media/CaptureRing.h"
#include "platform/media/Sound.h"
#include "platform/media/SystemAudioEngine.h"
#include "platform/media/TMediaPlayer.h"

#include <sndfile.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

using lectern::platform::TMediaPlayer;
using namespace lectern::test;

namespace {

double cpuSeconds() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which is in parentheses.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

// Share of one core this process used over `ms`, with `during` run every 250 ms.
double cpuShare(int ms, const std::function<void()>& during = {}) {
    const double before = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QThread::msleep(250);
        if (during)
            during();
    }
    return (cpuSeconds() - before) * 1000 / double(clock.elapsed());
}

// Listens to the null sink's monitor with parec.
class MonitorListener {
  public:
    MonitorListener() {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--raw"), QStringLiteral("--format=float32le"),
                      QStringLiteral("--channels=1"), QStringLiteral("--rate=48000"),
                      QStringLiteral("--latency-msec=5"), QStringLiteral("-d"),
                      QStringLiteral("null.monitor")});
        parec_.waitForStarted(5000);
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 1000)
            if (parec_.waitForReadyRead(50))
                parec_.readAll();
    }
    ~MonitorListener() {
        parec_.kill();
        parec_.waitForFinished(2000);
    }

    // When the first frame louder than silence reached the sink, in ms after `from`.
    double msUntilSound(const QElapsedTimer& from, int timeoutMs) {
        QByteArray pending;
        while (from.elapsed() < timeoutMs) {
            if (!parec_.waitForReadyRead(5))
                continue;
            const double arrived = double(from.nsecsElapsed()) / 1e6;
            pending += parec_.readAll();
            const auto* samples = reinterpret_cast<const float*>(pending.constData());
            const qsizetype count = pending.size() / qsizetype(sizeof(float));
            for (qsizetype i = 0; i < count; ++i)
                if (std::abs(samples[i]) > 0.05f)
                    return arrived - double(count - i) * 1000 / 48000;
            pending.remove(0, count * qsizetype(sizeof(float)));
        }
        return -1;
    }

  private:
    QProcess parec_;
};

void report(const char* what, double value, const char* unit) {
    std::printf("%-52s %8.2f %s\n", what, value, unit);
    std::fflush(stdout);
}

// How many playback streams the server has on the sink called `sink`.
int streamsOn(const QString& sink) {
    QString index;
    for (const QString& line :
         pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sinks")})
             .split('\n'))
        if (line.section('\t', 1, 1) == sink)
            index = line.section('\t', 0, 0);
    int count = 0;
    for (const QString& line :
         pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")})
             .split('\n'))
        count += !index.isEmpty() && line.section('\t', 1, 1) == index;
    return count;
}

// New streams and those that follow the default go to `sink`.
void playOn(const QString& sink) {
    pactl({QStringLiteral("set-default-sink"), sink});
    QThread::msleep(300);
}

double msBetween(PipeSink::Clock::time_point from, std::optional<PipeSink::Clock::time_point> to) {
    return to ? std::chrono::duration<double, std::milli>(*to - from).count() : -1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PulseServer pulse;
    if (!pulse.failure().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(pulse.failure()));
        return 1;
    }
    QTemporaryDir dir;
    lectern::platform::CourseFiles files;
    writeTone(dir.path() + "/lesson.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 12000);
    writeTone(dir.path() + "/blank.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 0);
    // The program's first stream, on the pipe sink: the engine opens the
    // device aside at start, and a lesson is played 2 s later.
    std::optional<PipeSink> firstPipe(std::in_place, dir.path());
    if (!firstPipe->failure().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(firstPipe->failure()));
        return 1;
    }
    playOn(firstPipe->name());
    auto engine = lectern::platform::createDeferredSystemAudioEngine(files);
    engine->openDeviceAside();
    const auto open = [&](const QString& name) {
        auto player = std::make_unique<TMediaPlayer>(*engine);
        player->SetFileName(dir.path() + "\\" + name);
        player->Open();
        return player;
    };
    auto lesson = open("lesson.wav");
    auto recorder = open("blank.wav");
    QThread::msleep(2000);
    {
        firstPipe->listen(0.05f);
        const auto from = PipeSink::Clock::now();
        lesson->Seek(2000);
        lesson->Play();
        report("Play to first frame, first stream (pipe sink)",
               msBetween(from, firstPipe->soundAt(5000)), "ms");
        lesson->Stop();
        playOn(QStringLiteral("null"));
        firstPipe.reset();
    }
    // The playback stream closes before the figures at rest.
    QThread::msleep(11000);
    report("CPU at rest, sounds open", 100 * cpuShare(10000), "% of a core");

    lesson->Play();
    QThread::msleep(500);
    report("CPU playing", 100 * cpuShare(10000, [&] { lesson->Position(); }), "% of a core");
    lesson->Stop();

    const auto firstFrameOnMonitor = [&] {
        MonitorListener monitor;
        QElapsedTimer clock;
        clock.start();
        lesson->Seek(2000);
        lesson->Play();
        const double ms = monitor.msUntilSound(clock, 5000);
        lesson->Stop();
        return ms;
    };
    report("Play to first frame, stream open (null sink monitor)", firstFrameOnMonitor(), "ms");
    QThread::msleep(11000);
    report("Play to first frame, stream closed (null sink monitor)", firstFrameOnMonitor(), "ms");

    {
        PipeSink pipe(dir.path());
        if (!pipe.failure().isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(pipe.failure()));
            return 1;
        }
        // The stream still open from the last figure follows the default,
        // and closes there; the stream then opened by Play stays on it.
        playOn(pipe.name());
        const auto firstFrameOnPipe = [&] {
            report("playback streams on the pipe sink before Play", streamsOn(pipe.name()), "");
            pipe.listen(0.05f);
            const auto from = PipeSink::Clock::now();
            lesson->Seek(2000);
            lesson->Play();
            const double ms = msBetween(from, pipe.soundAt(5000));
            lesson->Stop();
            return ms;
        };
        QThread::msleep(11000);
        report("Play to first frame, stream closed (pipe sink)", firstFrameOnPipe(), "ms");
        QThread::msleep(1000);
        report("Play to first frame, stream open (pipe sink)", firstFrameOnPipe(), "ms");

        QThread::msleep(500);
        pipe.listen(0.05f);
        const auto from = PipeSink::Clock::now();
        QProcess paplay;
        paplay.start(QStringLiteral("paplay"),
                     {QStringLiteral("--latency-msec=80"), QStringLiteral("-d"), pipe.name(),
                      dir.path() + QStringLiteral("/lesson.wav")});
        report("paplay launch to first frame (pipe sink)", msBetween(from, pipe.soundAt(5000)),
               "ms");
        paplay.kill();
        paplay.waitForFinished(2000);
        playOn(QStringLiteral("null"));
    }

    // 1 s of silence, then a tone: heard on the sink and recorded from its
    // monitor, started together. A sound at lesson time L must lie in the
    // file at L plus the recorder's lead over the lesson.
    {
        writeTone(dir.path() + "/silence.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 1000, 0);
        writeTone(dir.path() + "/tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 2000);
        WavInfo onset = readWav(dir.path() + "/silence.wav");
        const WavInfo tone = readWav(dir.path() + "/tone.wav");
        onset.samples.insert(onset.samples.end(), tone.samples.begin(), tone.samples.end());
        SF_INFO info{};
        info.samplerate = 22050;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(QFile::encodeName(dir.path() + "/onset.wav"), SFM_WRITE, &info);
        sf_writef_float(file, onset.samples.data(), sf_count_t(onset.samples.size()));
        sf_close(file);
    }
    auto along = open("onset.wav");
    QElapsedTimer clock;
    clock.start();
    recorder->StartRecording();
    report("StartRecording call", double(clock.nsecsElapsed()) / 1e6, "ms");
    along->Play();
    while (recorder->Position() == 0 && clock.elapsed() < 5000)
        QThread::usleep(500);
    report("Record to first captured frame", double(clock.nsecsElapsed()) / 1e6, "ms");
    QThread::msleep(600);
    const int lead = recorder->Position() - along->Position();
    QThread::msleep(2200);
    recorder->Stop();
    recorder->Save();
    const WavInfo wav = readWav(dir.path() + "/blank.wav");
    long long onset = -1;
    for (std::size_t i = 0; i < wav.samples.size() && onset < 0; ++i)
        if (std::abs(wav.samples[i]) > 0.1f)
            onset = (long long)i;
    report("recorder's lead over the lesson", lead, "ms");
    if (onset >= 0)
        report("recording shift", double(onset) * 1000 / wav.sampleRate - (1000 + lead), "ms");

    // A take (V): the capture stream is asked for at the key press and each
    // of its frames is kept from its first buffer on.
    {
        auto silence = std::make_shared<lectern::platform::Sound>();
        silence->format = {SF_FORMAT_WAV | SF_FORMAT_PCM_16, engine->sampleRate(), 1};
        lectern::platform::CaptureRing ring;
        std::vector<float> heard;
        auto* voice = engine->addVoice(silence);
        QElapsedTimer pressed;
        pressed.start();
        engine->startRecording(voice, &ring, 0);
        while (ring.takeInto(heard) == 0 && pressed.elapsed() < 5000)
            QThread::usleep(200);
        report("V to first recorded frame (take)", double(pressed.nsecsElapsed()) / 1e6, "ms");
        engine->stopRecording(voice);
        engine->removeVoice(voice);
    }
    return 0;
}
