#include "exercises/practice/LevelMeter.h"
#include "exercises/practice/PassagePause.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/practice/TakeComparison.h"
#include "exercises/reading/RecordingLessonFixture.h"
#include "platform/Error.h"
#include "platform/media/Sound.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <cmath>
#include <numbers>

using namespace lectern;
using exercises::RecordAndCompare;
using exercises::TakePlayback;
using lectern::test::ReadingLessonFixture;

namespace {

constexpr int Rate = 48000;  // the manual clock's

// The reading lesson with takes kept in a folder of the test's own, and a
// microphone that hears a 220 Hz tone at half scale for `speechMs` from the
// moment V is pressed (then silence). Each fed sample is kept.
struct TakeFixture : ReadingLessonFixture {
    test::TempDir data;
    int speechMs = 0;
    long long heardFrames = 0;
    std::vector<float> fed;

    exercises::TViewTxtFrm& launchWithMicrophone() {
        exercises::TViewTxtFrm& w = launch();
        takes().store() = exercises::TakeStore(data.path() + "/takes");
        test.audio.clock().inputSource = [this](float* in, int frames) {
            for (int i = 0; i < frames; ++i, ++heardFrames) {
                const bool speaking = heardFrames < (long long)speechMs * Rate / 1000;
                in[i] = speaking ? float(0.5 * std::sin(2 * std::numbers::pi * 220 *
                                                        double(heardFrames) / Rate))
                                 : 0.0f;
                fed.push_back(in[i]);
            }
        };
        return w;
    }
    RecordAndCompare& takes() { return *reading().Practice->Takes; }

    // Lets the clock run in steps of the poll interval, as the timers would,
    // until the take ends or `limitMs` passes; returns the time it took.
    int recordUntilEnd(int limitMs = 10000) {
        int ms = 0;
        while (takes().recording() && ms < limitMs) {
            test.audio.advance(RecordAndCompare::PollMs);
            ms += RecordAndCompare::PollMs;
            test::fireTimer(*takes().recordTimer());
        }
        return ms;
    }
    test::WavInfo take(int passage) { return test::readWav(takes().store().pathOf(passage)); }

    // B's set-up: the lesson launched with an 800 ms take of passage 2 (a
    // commentary, 1000 to 2000 ms of the 440 Hz model) kept.
    exercises::TViewTxtFrm& launchWithTakeOfPassage2() {
        speechMs = 800;
        exercises::TViewTxtFrm& w = launchWithMicrophone();
        w.TrackBar1->setValue(1);
        takes().record();
        recordUntilEnd();
        return w;
    }
    // Lets B play on for 20 ms, as its timer would.
    void playStep() {
        test.audio.advance(20);
        test::fireTimer(*takes().playTimer());
    }
    // From now on, what reaches the device is kept (in stereo).
    void keepOutput() {
        test.audio.clock().keepOutput = true;
        test.audio.clock().output.clear();
    }
    double keptSeconds() { return double(test.audio.clock().output.size()) / Channels / Rate; }
    // The tone heard on the device from `fromS` to `toS` of the kept output.
    double keptTone(double fromS, double toS) {
        const std::vector<float>& out = test.audio.clock().output;
        if (keptSeconds() < toS)
            return 0;
        return test::toneFrequency(
            std::vector<float>(out.begin() + std::size_t(fromS * Rate) * Channels,
                               out.begin() + std::size_t(toS * Rate) * Channels),
            Channels, Rate);
    }
    static constexpr int Channels = 2;
};

}  // namespace

TEST(RecordAndCompare, ATakeEndsOnSilenceAfterSpeechAtTwiceThePassageOrOnVAgain) {
    struct Case {
        const char* what;
        int speechMs;
        int pressAgainAtMs;  // 0: not pressed
        int endsAtMs;        // passage 1 lasts 1000 ms
    } cases[] = {
        {"1.2 s of silence after the speech", 600, 0, 600 + 1200},
        {"twice the passage, speech going on", 5000, 0, 2000},
        {"V again", 5000, 400, 400},
        {"silence alone never ends it before the limit", 0, 0, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TakeFixture f;
        f.speechMs = c.speechMs;
        exercises::TViewTxtFrm& w = f.launchWithMicrophone();
        w.m11Click();  // the lesson plays; V pauses it
        f.tick();
        f.heardFrames = 0;
        f.fed.clear();
        f.takes().record();
        EXPECT_TRUE(f.test.audio.clock().inputStarted());
        EXPECT_FALSE(w.Timer1->isActive());
        EXPECT_TRUE(w.IsPaused());
        EXPECT_TRUE(f.takes().meter()->isVisible());
        int ms = c.pressAgainAtMs ? f.recordUntilEnd(c.pressAgainAtMs) : f.recordUntilEnd();
        if (c.pressAgainAtMs)
            f.takes().record();
        EXPECT_FALSE(f.takes().recording());
        // The microphone is open only while the take is made.
        EXPECT_FALSE(f.test.audio.clock().inputStarted());
        EXPECT_FALSE(f.takes().meter()->isVisible());
        // Ended within a block of speech judgement and a poll.
        EXPECT_GE(ms, c.endsAtMs);
        EXPECT_LE(ms, c.endsAtMs + 40);

        const test::WavInfo take = f.take(1);
        ASSERT_TRUE(take.valid);
        EXPECT_EQ(take.sampleRate, Rate);
        EXPECT_NEAR(take.ms(), c.endsAtMs, 41);
        // Every fed frame is in the file from the key press on: the first
        // 20 ms sample for sample (16-bit), and all of it.
        ASSERT_LE(take.frames, (long long)f.fed.size());
        const int first20 = Rate / 50;
        for (int i = 0; i < std::min<int>(first20, int(take.frames)); ++i)
            ASSERT_NEAR(take.samples[i], f.fed[i], 2.0 / 32768) << "frame " << i;
        for (long long i = 0; i < take.frames; ++i)
            ASSERT_NEAR(take.samples[i], f.fed[i], 2.0 / 32768) << "frame " << i;
    }
}

// The model plays to its passage's end whatever stop the lesson sound had:
// pause after each passage leaves one at the end of the passage it held,
// which Stop and a move of the track bar to a later passage do not clear.
TEST(RecordAndCompare, BPlaysTheModelAndThenTheTakeEachHighlighted) {
    struct Case {
        const char* what;
        int stopAtMs;
    } cases[] = {
        {"no stop set", platform::TMediaPlayer::NoStop},
        {"a stop left at passage 1's end", 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TakeFixture f;
        exercises::TViewTxtFrm& w = f.launchWithTakeOfPassage2();
        ASSERT_TRUE(f.take(2).valid);
        ASSERT_FALSE(f.take(1).valid);

        f.takes().comparison()->hide();
        w.MediaPlayer1->SetStopAt(c.stopAtMs);
        f.keepOutput();
        f.takes().compare();
        std::vector<TakePlayback::Part> parts;
        std::vector<QString> highlighted;
        for (int ms = 0; ms < 5000 && f.takes().playing() != TakePlayback::Part::Done; ms += 20) {
            if (parts.empty() || parts.back() != f.takes().playing()) {
                parts.push_back(f.takes().playing());
                highlighted.push_back(f.classOf(2));
                exercises::MarkRest(exercises::FindElement(w.PageDocument, QStringLiteral("t2")));
            }
            f.playStep();
        }
        EXPECT_EQ(parts, (std::vector{TakePlayback::Part::Model, TakePlayback::Part::Take}));
        EXPECT_EQ(highlighted, (std::vector<QString>{"inscomm", "inscomm"}));

        // On the device: about 1 s of the 440 Hz model, then the 220 Hz take.
        EXPECT_GE(f.keptSeconds(), 2.6);
        EXPECT_NEAR(f.keptTone(0.05, 0.95), 440, 5);
        EXPECT_NEAR(f.keptTone(1.1, 1.7), 220, 5);
        EXPECT_FALSE(w.MediaPlayer1->Playing());
    }
}

// Space goes on with the lesson: whichever part of B is playing stops, and
// only the lesson sound reaches the device from then on.
TEST(RecordAndCompare, SpaceDuringBStopsItAndPlaysOnlyTheLesson) {
    struct Case {
        const char* what;
        TakePlayback::Part pressedDuring;
    } cases[] = {
        {"during the model", TakePlayback::Part::Model},
        {"during the take", TakePlayback::Part::Take},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TakeFixture f;
        exercises::TViewTxtFrm& w = f.launchWithTakeOfPassage2();
        f.takes().compare();
        for (int ms = 0; ms < 3000 && f.takes().playing() != c.pressedDuring; ms += 20)
            f.playStep();
        ASSERT_EQ(f.takes().playing(), c.pressedDuring);
        f.test.audio.advance(100);

        f.keepOutput();
        QTest::keyClick(&w, Qt::Key_Space);
        EXPECT_EQ(f.takes().playing(), TakePlayback::Part::Done);
        EXPECT_TRUE(w.Timer1->isActive());
        // Passage 2 and 3 of the 440 Hz lesson, the 220 Hz take nowhere.
        for (int ms = 0; ms < 1600; ms += 20)
            f.playStep();
        EXPECT_NEAR(f.keptTone(0.05, 1.5), 440, 5);
        EXPECT_TRUE(w.MediaPlayer1->Playing());
    }
}

// Held after passage 1 (the lesson's mark has moved on to passage 2), V and
// B are about passage 1: its take is kept, and B plays its model, which the
// hold's stop at its end does not cut off.
TEST(RecordAndCompare, HeldAfterAPassageVAndBAreAboutThatPassage) {
    TakeFixture f;
    f.speechMs = 800;
    exercises::TViewTxtFrm& w = f.launchWithMicrophone();
    w.Practice->PauseAfter->set(true);
    w.m11Click();
    for (int ms = 0; ms < 2000 && !w.Practice->PauseAfter->holding(); ms += 250) {
        if (w.Timer1->isActive())
            f.tick();
        else
            f.test.audio.advance(250);
    }
    ASSERT_TRUE(w.Practice->PauseAfter->holding());
    f.takes().record();
    f.recordUntilEnd();
    EXPECT_TRUE(f.take(1).valid);
    EXPECT_FALSE(f.take(2).valid);

    f.keepOutput();
    f.takes().compare();
    for (int ms = 0; ms < 3000 && f.takes().playing() != TakePlayback::Part::Done; ms += 20)
        f.playStep();
    // Passage 1's 440 Hz model, then the 220 Hz take.
    EXPECT_GE(f.keptSeconds(), 1.7);
    EXPECT_NEAR(f.keptTone(0.05, 0.95), 440, 5);
}

TEST(RecordAndCompare, TheComparisonPictureAlignsModelAndTakeAtTheOnsetOfSpeech) {
    TakeFixture f;
    f.speechMs = 700;
    f.launchWithMicrophone();
    f.takes().record();
    f.recordUntilEnd();
    f.takes().waitForComparison();
    exercises::TakeComparison& picture = *f.takes().comparison();
    EXPECT_TRUE(picture.isVisible());
    // The take speaks from its first frame at 220 Hz; the model's 440 Hz too.
    ASSERT_GE(picture.take().onset, 0);
    EXPECT_LE(picture.take().onset, 1);
    EXPECT_LE(picture.model().onset, 1);
    const auto& takePitch = picture.take().pitchHz;
    ASSERT_GT(takePitch.size(), 30u);
    EXPECT_NEAR(takePitch[15], 220, 11);
    EXPECT_NEAR(picture.model().pitchHz[15], 440, 22);
    EXPECT_FALSE(picture.grab().isNull());
}

TEST(RecordAndCompare, VAndBDoNothingInARecordingLesson) {
    test::RecordingLessonFixture f("3");
    f.launch();
    f.reading().Practice->Takes->record();
    f.reading().Practice->Takes->compare();
    EXPECT_FALSE(f.reading().Practice->Takes->recording());
    EXPECT_FALSE(f.test.audio.clock().inputStarted());
    EXPECT_EQ(f.reading().Practice->Takes->playing(), TakePlayback::Part::Done);
}

TEST(TakeStore, ATakeReplacesTheLastOneWholeAndNeverGoesIntoTheCourse) {
    test::TempDir course;
    test::TempDir data;
    exercises::TakeStore store(data.path() + "/takes");
    store.setLesson(course.path(), "C:\\course\\data\\sound\\one.wav");
    const QString path = store.pathOf(3);
    EXPECT_TRUE(path.startsWith(data.path() + "/takes/"));
    EXPECT_TRUE(path.endsWith("/passage-3.wav"));

    const std::vector<float> first(4800, 0.25f), second(9600, -0.5f);
    store.save(3, first, Rate);
    // A reader that holds the old take keeps reading it whole while the
    // new one is written beside it and put in its place.
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    store.save(3, second, Rate);
    const QByteArray oldBytes = old.readAll();
    EXPECT_EQ(oldBytes.size(), 44 + 4800 * 2);
    EXPECT_EQ(store.load(3)->frames(), 9600);
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"passage-3.wav"});

    // A data folder inside the course is refused before anything is made.
    exercises::TakeStore inside(course.path() + "/data/takes");
    inside.setLesson(course.path(), "one.wav");
    EXPECT_THROW(inside.save(1, first, Rate), platform::Error);
    EXPECT_FALSE(QFileInfo::exists(course.path() + "/data"));
}
