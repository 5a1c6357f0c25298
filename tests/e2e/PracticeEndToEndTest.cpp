#include "e2e/DemoCourse.h"
#include "e2e/Desktop.h"
#include "media/PipeSink.h"
#include "media/PulseServer.h"
#include "support/TempDir.h"
#include "support/WavFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <QDirIterator>
#include <QScopeGuard>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <optional>
#include <thread>
#include <vector>

using namespace lectern::test;
using namespace std::chrono_literals;

namespace {

// The demo pages' highlight of the current passage.
constexpr QRgb Highlight = 0xffe79a;
// A share of full scale the narration passes and silence does not.
constexpr float Heard = 0.02f;

QRect highlightBounds(const QImage& shot) {
    QRect bounds;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if ((shot.pixel(x, y) & 0xffffff) == Highlight)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Whether something louder than Heard comes out of the sink within `ms`.
bool soundWithin(PipeSink& sink, int ms) {
    sink.listen(Heard);
    return sink.soundAt(ms).has_value();
}

// Waits up to `ms` for the sink to stay quiet for `quietMs` (the pauses
// between espeak's words are shorter).
bool fallsSilent(PipeSink& sink, int ms, int quietMs = 800) {
    const auto deadline = PipeSink::Clock::now() + std::chrono::milliseconds(ms);
    while (PipeSink::Clock::now() < deadline) {
        if (!soundWithin(sink, quietMs))
            return true;
        // Past the sound just heard.
        Desktop::pause(20ms);
    }
    return false;
}

// A microphone of the private server that hears a 330 Hz tone at half
// scale for `toneMs`, from `toneFromMs` after speak() is called, and silence
// otherwise: module-pipe-source fed in real time from a thread.
class FedMicrophone {
  public:
    static constexpr int Rate = 48000;
    explicit FedMicrophone(const QString& directory) : fifo_(directory + "/mic") {
        module_ = pactl({"load-module", "module-pipe-source", "file=" + fifo_, "source_name=mic",
                         "rate=48000", "channels=1", "format=s16le"})
                      .trimmed();
        if (module_.isEmpty())
            return;
        pactl({"set-default-source", "mic"});
        fd_ = ::open(QFile::encodeName(fifo_).constData(), O_WRONLY | O_NONBLOCK);
        if (fd_ >= 0)
            feeder_ = std::thread([this] { feed(); });
    }
    ~FedMicrophone() {
        stop_ = true;
        if (feeder_.joinable())
            feeder_.join();
        if (fd_ >= 0)
            ::close(fd_);
        if (!module_.isEmpty())
            pactl({"unload-module", module_});
    }
    bool ready() const { return fd_ >= 0; }
    void speak(int toneFromMs, int toneMs) {
        toneFrom_ = frames_ + (long long)toneFromMs * Rate / 1000;
        toneTo_ = toneFrom_ + (long long)toneMs * Rate / 1000;
    }

  private:
    void feed() {
        const auto start = PipeSink::Clock::now();
        std::vector<std::int16_t> block;
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const long long due = std::chrono::duration_cast<std::chrono::microseconds>(
                                      PipeSink::Clock::now() - start)
                                      .count() *
                                  Rate / 1000000;
            block.clear();
            for (long long f = frames_; f < due; ++f) {
                const bool tone = f >= toneFrom_ && f < toneTo_;
                block.push_back(tone ? std::int16_t(16000 * std::sin(2 * std::numbers::pi * 330 *
                                                                     double(f) / Rate))
                                     : 0);
            }
            if (!block.empty() &&
                ::write(fd_, block.data(), block.size() * sizeof(std::int16_t)) > 0)
                frames_ = due;
        }
    }

    QString fifo_;
    QString module_;
    int fd_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<long long> frames_{0};
    std::atomic<long long> toneFrom_{-1};
    std::atomic<long long> toneTo_{-1};
    std::thread feeder_;
};

// What a 40 ms window of the sink's sound is: quiet, the fed 330 Hz tone, or
// other sound (the narration). A window only partly filled with the tone
// counts as other sound.
enum class Content { Quiet, Tone, Other };
constexpr int WindowFrames = PipeSink::Rate / 25;

std::vector<Content> contents(const std::vector<float>& sound) {
    // Goertzel at 330 Hz: the share of a window's energy at that frequency,
    // about 1 for a pure tone filling it, well under 0.5 for speech.
    const double c = 2 * std::cos(2 * std::numbers::pi * 330 / PipeSink::Rate);
    std::vector<Content> found;
    for (std::size_t at = 0; at + WindowFrames <= sound.size(); at += WindowFrames) {
        double s1 = 0, s2 = 0, energy = 0;
        for (std::size_t i = at; i < at + WindowFrames; ++i) {
            const double s0 = sound[i] + c * s1 - s2;
            s2 = s1;
            s1 = s0;
            energy += double(sound[i]) * sound[i];
        }
        const double share =
            energy > 0 ? 2 * (s1 * s1 + s2 * s2 - c * s1 * s2) / (WindowFrames * energy) : 0;
        found.push_back(std::sqrt(energy / WindowFrames) < Heard ? Content::Quiet
                        : share > 0.8                            ? Content::Tone
                                                                 : Content::Other);
    }
    return found;
}

// Where the fed tone is heard in `windows`: the first run of 200 ms of it.
std::optional<std::size_t> toneStart(const std::vector<Content>& windows) {
    for (std::size_t i = 0; i + 5 <= windows.size(); ++i)
        if (std::all_of(windows.begin() + std::ptrdiff_t(i),
                        windows.begin() + std::ptrdiff_t(i + 5),
                        [](Content c) { return c == Content::Tone; }))
            return i;
    return std::nullopt;
}

// The pixels of `colour` in `area` of `shot`.
int pixelsOf(const QImage& shot, const QRect& area, QRgb colour) {
    int found = 0;
    for (int y = std::max(0, area.top()); y <= std::min(shot.height() - 1, area.bottom()); ++y)
        for (int x = std::max(0, area.left()); x <= std::min(shot.width() - 1, area.right()); ++x)
            found += (shot.pixel(x, y) & 0xffffff) == colour;
    return found;
}

// The take files kept under `dataHome`.
QStringList takes(const QString& dataHome) {
    QStringList found;
    QDirIterator it(dataHome, {"passage-*.wav"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

}  // namespace

// One start of the real program on the demo course, with its sound on a
// private PulseAudio server: P, then Play stops the narration at the end of
// passage 1, which stays highlighted; Space plays passage 2 and stops at its
// end; R plays passage 2 again; V records the fed microphone into the
// learner's data folder until silence ends the take, which holds the whole
// tone, and the picture comparing it with the model is drawn; B plays the
// model and then the take.
TEST(PracticeEndToEnd, PauseAfterEachPassageThenSpaceAndRepeatOnTheRealSound) {
    PulseServer pulse;
    if (!pulse.failure().isEmpty())
        GTEST_SKIP() << pulse.failure().toStdString();
    TempDir dir;
    PipeSink sink(dir.path());
    if (!sink.failure().isEmpty())
        GTEST_SKIP() << sink.failure().toStdString();
    pactl({QStringLiteral("set-default-sink"), sink.name()});
    DemoCourse course;
    TempDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", settings.path().toLocal8Bit());
    const auto restore = qScopeGuard([] {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    });

    PlayerProcess player(course.path());
    ASSERT_FALSE(Desktop::waitForWindow(Desktop::exactly(course.title()), 60s).isEmpty());
    Desktop::pause(2s);
    for (const char* key : {"Right", "Down", "Return"})
        Desktop::key(key);
    const QString reading = Desktop::waitForWindow("The Sun - narrated reading", 20s);
    ASSERT_FALSE(reading.isEmpty());
    const QRect page = Desktop::geometry(reading).adjusted(60, 90, -60, -130);
    const auto settled = [&page] {
        QRect last;
        int held = 0;
        for (int i = 0; i < 400 && held < 5; ++i) {
            const QRect now = highlightBounds(Desktop::grab(page));
            held = now.isValid() && now == last ? held + 1 : 0;
            last = now;
            Desktop::pause(20ms);
        }
        return held == 5 ? last : QRect();
    };
    const QRect first = settled();
    ASSERT_TRUE(first.isValid()) << "passage 1 highlighted";

    Desktop::keyTo(reading, "p");
    Desktop::keyTo(reading, "space");
    ASSERT_TRUE(soundWithin(sink, 5000)) << "passage 1 plays";
    ASSERT_TRUE(fallsSilent(sink, 20000)) << "and stops";
    EXPECT_FALSE(soundWithin(sink, 3000)) << "nothing of passage 2 for 3 s";
    EXPECT_EQ(settled(), first) << "passage 1 stays highlighted";

    Desktop::keyTo(reading, "space");
    ASSERT_TRUE(soundWithin(sink, 3000)) << "Space plays passage 2";
    QRect second = settled();
    for (int i = 0; i < 50 && second == first; ++i)
        second = settled();
    ASSERT_TRUE(second.isValid() && second != first) << "passage 2 highlighted";
    ASSERT_TRUE(fallsSilent(sink, 20000)) << "and it stops at its end";
    EXPECT_FALSE(soundWithin(sink, 2000));
    EXPECT_EQ(settled(), second);

    Desktop::keyTo(reading, "r");
    EXPECT_TRUE(soundWithin(sink, 3000)) << "R plays passage 2 again";
    EXPECT_EQ(settled(), second);
    ASSERT_TRUE(fallsSilent(sink, 20000));

    // V: the fed tone from 300 ms to 1300 ms after the key, then silence,
    // which ends the take 1.2 s later; the take holds the tone.
    FedMicrophone microphone(dir.path());
    ASSERT_TRUE(microphone.ready());
    Desktop::pause(500ms);
    microphone.speak(300, 1000);
    Desktop::keyTo(reading, "v");
    Desktop::pause(4s);
    // The comparison shows for 4 s from the take's end (about 2.6 s after V):
    // its lanes hold the model's and the take's contours in their colours.
    const QImage shot = Desktop::screenshot();
    shot.save(QStringLiteral("practice-comparison.png"));
    const QRect window = Desktop::geometry(reading);
    const int pictureWidth = std::min(640, window.width() - 40);
    const QRect lanes(window.left() + (window.width() - pictureWidth) / 2,
                      window.top() + window.height() - 220 - 110 + 28, pictureWidth, 220 - 28);
    EXPECT_GT(pixelsOf(shot, lanes, qRgb(90, 170, 255) & 0xffffff), 150) << "the model's contours";
    EXPECT_GT(pixelsOf(shot, lanes, qRgb(255, 150, 40) & 0xffffff), 150) << "the take's contours";

    const QStringList kept = takes(settings.path());
    ASSERT_EQ(kept.size(), 1) << kept.join(' ').toStdString();
    const WavInfo take = readWav(kept.front());
    ASSERT_TRUE(take.valid);
    EXPECT_NEAR(take.ms(), 2500, 400);
    EXPECT_NEAR(toneFrequency(take.samples, 1, take.sampleRate), 330, 10);
    // The take counts from the key press, so its first tone frame is where
    // the fed tone starts: 300 ms after speak(), less the time xdotool takes
    // to bring the key to the player, plus the pipe source's latency (the
    // feeder writes every 5 ms). Measured: 289 to 292 ms here, 368 ms on a
    // loaded two-core machine where the feeder runs late; a slow key only
    // makes it earlier. The bound above is there to catch sound from before
    // the key, which would add the stream's buffer (a second or more). And
    // all of the 1000 ms of tone are in it, within 10 ms (the place of the
    // first and last loud sample in a cycle), so its first 20 ms cannot be
    // missing; a late feeder can only add quiet inside it.
    const auto loud = [](float v) { return std::abs(v) > 0.05f; };
    const auto firstTone = std::find_if(take.samples.begin(), take.samples.end(), loud);
    const auto lastTone = std::find_if(take.samples.rbegin(), take.samples.rend(), loud);
    ASSERT_NE(firstTone, take.samples.end());
    const double onsetMs = double(firstTone - take.samples.begin()) * 1000 / take.sampleRate;
    const double toneMs =
        double(take.samples.rend() - lastTone - (firstTone - take.samples.begin())) * 1000 /
        take.sampleRate;
    EXPECT_GE(onsetMs, 200);
    EXPECT_LE(onsetMs, 700);
    EXPECT_GE(toneMs, 990);
    EXPECT_LE(toneMs, 1100);

    // B: the model (passage 2's narration) and then the take's tone.
    sink.keep();
    Desktop::keyTo(reading, "b");
    std::vector<Content> windows;
    for (int i = 0; i < 100; ++i) {
        Desktop::pause(250ms);
        windows = contents(sink.kept());
        const auto tone = toneStart(windows);
        // Done once the 1 s tone is followed by half a second of quiet.
        if (tone && windows.size() > *tone + 38 &&
            std::all_of(windows.end() - 12, windows.end(),
                        [](Content c) { return c == Content::Quiet; }))
            break;
    }
    const auto tone = toneStart(windows);
    ASSERT_TRUE(tone.has_value()) << "the take is heard";
    const auto count = [&windows](std::size_t from, std::size_t to, Content c) {
        return std::count(windows.begin() + std::ptrdiff_t(from),
                          windows.begin() + std::ptrdiff_t(std::min(to, windows.size())), c);
    };
    // One window each side of the tone may hold its edge.
    EXPECT_GE(count(0, std::max<std::size_t>(*tone, 1) - 1, Content::Other), 10)
        << "the model is heard first";
    EXPECT_GE(count(*tone, windows.size(), Content::Tone), 20) << "then the tone";
    EXPECT_LE(count(*tone, windows.size(), Content::Other), 2) << "and nothing of the model";
}
