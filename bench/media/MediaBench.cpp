// Cost of the audio engine per second of sound played, and how closely a
// player's position follows the device clock.
#include "doubles/ManualClock.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/AudioEngine.h"
#include "platform/media/InlineDriver.h"
#include "platform/media/Sound.h"
#include "platform/media/SystemAudioEngine.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/media/VoiceContour.h"
#include "support/WavFiles.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <numbers>
#include <vector>

using namespace lectern::platform;
using lectern::test::ManualClock;

namespace {

QString writeTone(const QTemporaryDir& dir, const QString& name, int rate, int channels,
                  int seconds) {
    const QString path = dir.filePath(name);
    lectern::test::writeTone(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, channels,
                             seconds * 1000);
    return path;
}

// A 22.05 kHz mono tone of `seconds` opened and playing on the system's
// engine (the real device or, without one, the silent clock), whose name
// labels the benchmark.
struct SystemPlayer {
    SystemPlayer(benchmark::State& state, int seconds)
        : path(writeTone(dir, "a.wav", 22050, 1, seconds)),
          engine(createSystemAudioEngine(files)),
          player(*engine) {
        state.SetLabel(engine->deviceName().toStdString());
        player.SetFileName(path);
        player.Open();
        player.Play();
    }

    QTemporaryDir dir;
    QString path;
    CourseFiles files;
    std::unique_ptr<AudioEngine> engine;
    TMediaPlayer player;
};

// Two voices mixed into a 48 kHz stereo device for one second of sound per
// iteration (so the time is the cost per second of sound played): the first at `rate1` mono, the
// second at `rate2` stereo (22050 and 44100 need resampling; 48000 is copied).
void BM_MixTwoVoicesPerSecond(benchmark::State& state) {
    QTemporaryDir dir;
    const int rate1 = int(state.range(0)), rate2 = int(state.range(1));
    const QString a = writeTone(dir, "a.wav", rate1, 1, 30);
    const QString b = writeTone(dir, "b.wav", rate2, 2, 30);
    CourseFiles files;
    auto device = std::make_unique<ManualClock>();
    ManualClock& clock = *device;
    AudioEngine engine(files, std::move(device), std::make_unique<InlineDriver>());
    TMediaPlayer first(engine), second(engine);
    first.SetFileName(a);
    second.SetFileName(b);
    first.Open();
    second.Open();
    first.Play();
    second.Play();
    for (auto _ : state) {
        clock.advance(1000);
        if (first.Position() >= 29000) {
            first.Seek(0);
            second.Seek(0);
            first.Play();
            second.Play();
        }
    }
}
BENCHMARK(BM_MixTwoVoicesPerSecond)
    ->Args({22050, 44100})
    ->Args({48000, 48000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Opening a sound decodes it whole: cost per minute of 22.05 kHz mono.
void BM_OpenOneMinute(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeTone(dir, "a.wav", 22050, 1, 60);
    CourseFiles files;
    AudioEngine engine(files, std::make_unique<ManualClock>(), std::make_unique<InlineDriver>());
    TMediaPlayer player(engine);
    player.SetFileName(path);
    for (auto _ : state)
        player.Open();
}
BENCHMARK(BM_OpenOneMinute)->Unit(benchmark::kMillisecond);

// The window ticks ask for the position every 100 to 250 ms. On the
// system's engine (the real device or, without one, the silent clock).
void BM_PositionQuery(benchmark::State& state) {
    SystemPlayer system(state, 60);
    TMediaPlayer& player = system.player;
    QThread::msleep(300);
    for (auto _ : state)
        benchmark::DoNotOptimize(player.Position());
}
BENCHMARK(BM_PositionQuery);

// Plays on the system's engine (the real device or, without one, the silent
// clock) and compares every 5 ms how far the position moved with how far the
// wall clock moved: the largest difference over 2 s is the position error.
void BM_PositionErrorAgainstClock(benchmark::State& state) {
    // A fresh PulseAudio stream starts consuming about a second late.
    SystemPlayer system(state, 10);
    TMediaPlayer& player = system.player;
    QElapsedTimer started;
    started.start();
    while (player.Position() < 200 && started.elapsed() < 5000)
        QThread::msleep(5);
    double worst = 0;
    for (auto _ : state) {
        player.Seek(0);
        player.Play();
        QThread::msleep(300);
        QElapsedTimer clock;
        clock.start();
        const int start = player.Position();
        while (clock.elapsed() < 2000) {
            QThread::msleep(5);
            const double wall = double(clock.nsecsElapsed()) / 1e6;
            worst = std::max(worst, std::abs(player.Position() - start - wall));
        }
    }
    state.counters["worst_error_ms"] = worst;
}
BENCHMARK(BM_PositionErrorAgainstClock)->Iterations(1)->Unit(benchmark::kMillisecond);

// One second of speech (espeak-ng's voice at 22.05 kHz, as lessons have it)
// played at the given speed in tenths on a 48 kHz stereo device: the time is
// the cost per second of speech. At 10 nothing is stretched; the difference
// is the stretcher's. `core_percent` is the share of one core it takes in
// real time (one second of speech lasts 1/speed seconds).
void BM_SpeechPerSecondAtSpeed(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("speech.wav");
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"),
                 {QStringLiteral("-w"), path,
                  QStringLiteral("The quick brown fox jumps over the lazy dog. A learner follows "
                                 "the narration of a lesson more slowly, and the voice keeps "
                                 "its pitch while every passage stays in step with the page.")});
    if (!espeak.waitForFinished(20000) || espeak.exitCode() != 0) {
        state.SkipWithError("espeak-ng is not there");
        return;
    }
    const double speed = double(state.range(0)) / 10;
    CourseFiles files;
    auto device = std::make_unique<ManualClock>();
    ManualClock& clock = *device;
    AudioEngine engine(files, std::move(device), std::make_unique<InlineDriver>());
    TMediaPlayer player(engine);
    player.SetFileName(path);
    player.Open();
    player.SetSpeed(speed);
    player.Play();
    // The manual clock renders on this thread: its processor time is the cost.
    const auto cpuSeconds = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
    };
    const double started = cpuSeconds();
    for (auto _ : state) {
        clock.advance(1000 / speed);
        if (!player.Playing()) {
            player.Seek(0);
            player.Play();
        }
    }
    const double seconds = cpuSeconds() - started;
    state.counters["core_percent"] = 100 * seconds / double(state.iterations()) * speed;
}
BENCHMARK(BM_SpeechPerSecondAtSpeed)->Arg(10)->Arg(7)->Unit(benchmark::kMillisecond);

// The comparison picture's analysis (pitch and loudness) of one second of
// sound at the rate given, as after a take: its time is the CPU it costs per
// second of model or take.
void BM_VoiceContourPerSecond(benchmark::State& state) {
    const int rate = int(state.range(0));
    std::vector<float> tone(static_cast<std::size_t>(rate));
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = float(0.5 * std::sin(2 * std::numbers::pi * (150 + 100 * double(i) / rate) *
                                       double(i) / rate));
    for (auto _ : state)
        benchmark::DoNotOptimize(VoiceContour::analyse(tone.data(), (long long)tone.size(), rate));
}
BENCHMARK(BM_VoiceContourPerSecond)->Arg(48000)->Arg(22050)->Unit(benchmark::kMillisecond);
// How far from its mark a stop at the end of a passage is heard: 100
// passages of 0.3 to 3 s (random, seeded), each at its own sign, played
// from their start with a stop at their end, at the speed given in tenths.
// worst_ms is the largest distance between the last frame heard and where
// the clock puts the mark; foreign counts frames of the next passage heard.
void BM_StopErrorAgainstTheMark(benchmark::State& state) {
    const double speed = state.range(0) / 10.0;
    const int rate = 22050;
    std::srand(25);
    std::vector<int> marks{0};
    while (marks.size() <= 100)
        marks.push_back(marks.back() + 300 + std::rand() % 2700);
    std::vector<float> samples(std::size_t(marks.back()) * rate / 1000 + rate, 0.0f);
    for (std::size_t k = 1; k < marks.size(); ++k)
        std::fill(samples.begin() + std::size_t(marks[k - 1]) * rate / 1000,
                  samples.begin() + std::size_t(marks[k]) * rate / 1000, k % 2 ? 0.3f : -0.3f);
    QTemporaryDir dir;
    Sound::write(dir.filePath("passages.wav"), "passages.wav",
                 {SF_FORMAT_WAV | SF_FORMAT_FLOAT, rate, 1}, samples.data(),
                 (long long)samples.size());
    CourseFiles files;
    auto device = std::make_unique<ManualClock>();
    ManualClock& clock = *device;
    clock.keepOutput = true;
    AudioEngine engine(files, std::move(device), std::make_unique<InlineDriver>());
    TMediaPlayer player(engine);
    player.SetFileName(dir.filePath("passages.wav"));
    player.Open();
    player.SetSpeed(speed);
    double worst = 0;
    long long foreign = 0;
    for (auto _ : state) {
        for (std::size_t k = 1; k < marks.size(); ++k) {
            const float sign = k % 2 ? 1.0f : -1.0f;
            player.Seek(marks[k - 1]);
            player.SetStopAt(marks[k]);
            player.Play();
            clock.output.clear();
            while (player.Playing())
                clock.advance(20);
            clock.advance(100);
            long long last = -1;
            for (std::size_t i = 0; i < clock.output.size(); ++i) {
                if (clock.output[i] * sign > 0.1f)
                    last = (long long)i / 2;
                if (clock.output[i] * sign < -0.1f)
                    ++foreign;
            }
            worst =
                std::max(worst, std::abs(double(last) / 48 - (marks[k] - marks[k - 1]) / speed));
        }
    }
    state.counters["worst_ms"] = worst;
    state.counters["foreign"] = double(foreign);
}
BENCHMARK(BM_StopErrorAgainstTheMark)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
