#include "exercises/NarrationSpeed.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/reading/RecordingLessonFixture.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "support/ErrorOf.h"
#include "support/FullDisk.h"
#include "support/LessonLists.h"

#include <gtest/gtest.h>
#include <QEventLoop>
#include <QTimer>

using namespace lectern;
using lectern::test::readWav;
using lectern::test::RecordingLessonFixture;
using lectern::test::WavInfo;

namespace {

// The temporary recording holds `ms` of sound in the blank recording's format.
void expectRecording(const QString& path, double ms) {
    const WavInfo wav = readWav(path);
    ASSERT_TRUE(wav.valid) << path.toStdString();
    EXPECT_EQ(wav.format, RecordingLessonFixture::BlankFormat);
    EXPECT_EQ(wav.sampleRate, 22050);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_NEAR(wav.ms(), ms, 1);
}

}  // namespace

TEST(RecordingLauncher, SetsUpEachRecordingType) {
    {
        RecordingLessonFixture f("11");
        exercises::TViewTxtFrm& w = f.launch();
        const QString app = f.folder.path();
        ASSERT_TRUE(f.test.dialogs.boxes.empty())
            << f.test.dialogs.texts().join('\n').toStdString();
        ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{&w});
        EXPECT_EQ(f.main().TempWavName(), app + "\\data\\temp1.wav");
        EXPECT_EQ(w.MediaPlayer1->FileName(), f.main().TempWavName());
        EXPECT_TRUE(w.MediaPlayer1->IsOpen());
        EXPECT_EQ(w.MediaPlayer2->FileName(), app + "\\data\\sound\\reading.wav");
        EXPECT_TRUE(w.MediaPlayer2->IsOpen());
        EXPECT_EQ(w.m11()->Hint(), "Start record");
        EXPECT_EQ(w.m22()->Hint(), "Pause");
        EXPECT_EQ(w.m33()->Hint(), "Stop record");
        EXPECT_EQ(w.TrackBar1->maximum(), 2);
        EXPECT_EQ(w.TrackBar1->value(), 0);
        EXPECT_FALSE(w.TrackBar1->isEnabled());
        EXPECT_EQ(w.IsRecordingMode(), 1);
        EXPECT_EQ(w.IsPlayAlong(), 1);
        EXPECT_EQ(w.IsTimedRecording(), 0);
        EXPECT_EQ(f.classes(), "instext comm text");
        expectRecording(f.tempWav(), 0);
    }
    {
        RecordingLessonFixture f("3");
        exercises::TViewTxtFrm& w = f.launch();
        EXPECT_EQ(w.IsPlayAlong(), 0);
        EXPECT_FALSE(w.MediaPlayer2->IsOpen());
    }
    {
        // The marks list is neither read nor emptied; the page keeps its
        // load-time classes.
        RecordingLessonFixture f("8", "90");
        mainwindow::TMainFrm& main = f.start();
        // A reading lesson run before leaves its marks in the window.
        test::LessonLists before;
        before.marks = platform::StringList({"unit.txt"});
        before.sounds = platform::StringList({"reading.wav"});
        f.reading().RunNarratedReading(before.entries(f.folder.path()));
        const platform::StringList marks = f.reading().Marks();
        ASSERT_EQ(marks.Count(), 5);
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(f.ReadingNode));
        exercises::TViewTxtFrm& w = f.relaunch();
        EXPECT_EQ(w.Marks(), marks);
        EXPECT_EQ(w.TrackBar1->maximum(), 90);
        EXPECT_EQ(w.TrackBar1->value(), 0);
        EXPECT_FALSE(w.TrackBar1->isEnabled());
        EXPECT_EQ(w.SecondsLeft(), 90);
        EXPECT_EQ(w.IsTimedRecording(), 1);
        EXPECT_EQ(w.IsPagePrepared(), 0);
        EXPECT_EQ(f.classes(), "text comm text");
    }
}

TEST(RecordingLauncher, WithoutAFreeTemporaryNameTheLaunchStopsWithAClearMessage) {
    RecordingLessonFixture f("3");
    mainwindow::TMainFrm& main = f.start();
    main.SetTempWavName({});
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(f.ReadingNode));
    EXPECT_EQ(lectern::test::errorOf([&] { main.m22Click(); }),
              "Cannot record: the temporary recording files " + main.AppFolder() +
                  "\\data\\temp1.wav to temp99999.wav all exist");
    EXPECT_TRUE(f.test.modal.shown.empty());
}

TEST(Recording, PlayAlongReadToTheEndMarksEachPassageOnTheLessonSoundsClock) {
    RecordingLessonFixture f("11");
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_TRUE(w.Timer2->isActive());
    EXPECT_FALSE(w.TrackBar1->isEnabled());
    // Marks 1000, 2000, 3000: passages pass on the ticks at 750, 1750 and
    // 2750 ms, when the last sample of the lesson sound was 700, 1700, 2700.
    f.run(3000);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_FALSE(w.TrackBar1->isEnabled());
    EXPECT_EQ(w.IsRecordingFinished(), 1);
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    EXPECT_EQ(f.classes(), "instext comm text");
    const int heard = w.MediaPlayer2->Position();
    f.test.audio.advance(500);
    EXPECT_EQ(w.MediaPlayer2->Position(), heard) << "the lesson sound stopped";
    expectRecording(f.tempWav(), 2750);

    w.m55Click();
    EXPECT_EQ(f.userMarks(), "1400\r\n2400\r\n3400\r\n");
}

// At half speed the page follows the sound playing along, while the
// recording and its marks keep real time: the learner's voice lies there.
TEST(Recording, PlayAlongAtHalfSpeedMarksThePassagesInTheRecordingsTime) {
    RecordingLessonFixture f("11");
    exercises::TViewTxtFrm& w = f.launch();
    w.Practice->Speed->set(0.5);
    w.m11Click();
    // Passages pass on the ticks after the sound's clock went past 500,
    // 1500 and 2500 ms: at 1250, 3250 and 5250 ms of real time.
    f.run(5250);
    EXPECT_EQ(w.IsRecordingFinished(), 1);
    expectRecording(f.tempWav(), 5250);
    w.m55Click();
    EXPECT_EQ(f.userMarks(), "1900\r\n3900\r\n5900\r\n");
}

// Each stretch of the recording counts at the pace it was made at: a faster
// pace after a slow one never moves the marks back.
TEST(Recording, PlayAlongWithChangesOfPaceMarksThePassagesWhenTheyWerePassed) {
    RecordingLessonFixture f("11");
    exercises::TViewTxtFrm& w = f.launch();
    std::vector<int> passedAt;
    const auto runAt = [&](double speed, int ms) {
        w.Practice->Speed->set(speed);
        for (int step = 0; step < ms / 50; ++step) {
            const int before = w.CurrentMarkNumber();
            f.run(50);
            if (w.CurrentMarkNumber() != before)
                passedAt.push_back(f.elapsed);
        }
    };
    w.Practice->Speed->set(0.5);
    w.m11Click();
    runAt(0.5, 1800);
    runAt(2.0, 600);
    runAt(1.0, 1600);
    ASSERT_EQ(w.IsRecordingFinished(), 1);
    ASSERT_EQ(passedAt.size(), 3u);
    const QStringList marks = w.UserMarks().lines();
    ASSERT_EQ(marks.size(), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(marks[k].toInt() - 700, passedAt[k], 50) << "passage " << k + 1;
        if (k > 0) {
            EXPECT_GT(marks[k].toInt(), marks[k - 1].toInt());
        }
    }
}

// A screen reader reads on from where the highlight stopped: the page's
// reading point is the current passage after Pause, and passage 1 at the end.
TEST(ReadingPoint, FollowsPauseAndTheEndInTheReadingAndRecordingLessons) {
    for (const char* type : {"1", "3", "11"}) {
        SCOPED_TRACE(type);
        RecordingLessonFixture f(type);
        exercises::TViewTxtFrm& w = f.launch();
        const auto readingPoint = [&] {
            return f.test.browsers.readingPoint(w.CppWebBrowser1).toStdString();
        };
        w.m11Click();
        f.run(1250);
        ASSERT_EQ(w.CurrentMarkNumber(), 2);
        w.m22Click();
        EXPECT_EQ(readingPoint(), "t2");
        w.m22Click();
        f.run(3000);
        ASSERT_FALSE(w.Timer1->isActive()) << "the text ended";
        EXPECT_EQ(readingPoint(), "t1");
    }
}

TEST(Recording, StopAfterTwoPassagesAddsAClosingMarkAndSavesTheRecording) {
    RecordingLessonFixture f("3");
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    f.run(2100);
    EXPECT_EQ(w.CurrentMarkNumber(), 3);
    w.m33Click();
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_FALSE(w.TrackBar1->isEnabled());
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    EXPECT_EQ(w.PlayClockMs(), 0);
    EXPECT_EQ(f.classes(), "instext comm text");
    EXPECT_TRUE(f.test.dialogs.saveRequests.empty()) << "only a timed recording is offered";
    // The clock is the recorded time: 700 and 1700 at the passages, 2100 at Stop.
    EXPECT_EQ(w.UserMarks(), platform::StringList({"1400", "2400", "3600"}));
    expectRecording(f.tempWav(), 2100);

    f.test.audio.advance(1000);
    w.m55Click();
    EXPECT_EQ(f.userMarks(), "1400\r\n2400\r\n3600\r\n");
    expectRecording(f.tempWav(), 2100);
}

// A disk that fills up under a recording: Stop ends the lesson's recording
// as always and then tells the learner; the file keeps what was written.
TEST(Recording, AFailedWriteIsReportedAfterStopHasEndedTheRecording) {
    RecordingLessonFixture f("11");
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    {
        // 16-bit mono at 22050 Hz: a second fits after the 44-byte header.
        test::FullDisk disk(44 + 44100);
        f.run(2100);
        EXPECT_EQ(lectern::test::errorOf([&] { w.m33Click(); }),
                  "Cannot record into sound file " + f.tempWav() + ": File too large");
    }
    EXPECT_EQ(w.IsRecordingFinished(), 1);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_FALSE(w.MediaPlayer2->Playing()) << "the sound playing along stopped";
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    expectRecording(f.tempWav(), 1000);
    w.m55Click();
    EXPECT_EQ(f.userMarks(), "1400\r\n2400\r\n3600\r\n");
}

TEST(Recording, WithoutAMicrophoneTheLearnerIsToldOnceAndTheRecordingHoldsTimedSilence) {
    RecordingLessonFixture f("3");
    exercises::TViewTxtFrm& w = f.launch();
    f.test.audio.clock().unplugMicrophone();
    w.m11Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.test.dialogs.texts(),
              QStringList{"No microphone was found: the recording will hold silence."});
    f.run(1500);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1500) << "the recording runs on the silent clock";
    w.m33Click();
    expectRecording(f.tempWav(), 1500);

    w.m11Click();
    f.run(500);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.test.dialogs.boxes.size(), 1u) << "told once";
    w.m33Click();
    expectRecording(f.tempWav(), 500);
}

TEST(Recording, PauseStopsTheHighlightAndThePlayAlongSoundButNotTheRecorder) {
    RecordingLessonFixture f("11");
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    f.run(1000);
    ASSERT_EQ(w.CurrentMarkNumber(), 2);
    w.m22Click();
    EXPECT_EQ(w.IsPaused(), 1);
    EXPECT_EQ(w.m22()->Hint(), "Pause");
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.Timer2->isActive());
    f.run(500);
    EXPECT_EQ(w.MediaPlayer2->Position(), 1000);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1500) << "still recording";
    w.m11Click();
    EXPECT_EQ(w.MediaPlayer1->Position(), 1500) << "Record is ignored while paused";

    // Continue plays the lesson sound from the start of passage 2.
    w.m22Click();
    EXPECT_EQ(w.IsPaused(), 0);
    EXPECT_EQ(w.m22()->Hint(), "Continue");
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.MediaPlayer2->Position(), 1000);
    f.test.audio.advance(200);
    EXPECT_EQ(w.MediaPlayer2->Position(), 1200);
}

TEST(Recording, TimedRecordingCountsSecondsAndIsOfferedForSavingAtTheLimit) {
    for (const bool chooseName : {false, true}) {
        RecordingLessonFixture f("8", "5");
        exercises::TViewTxtFrm& w = f.launch();
        const QString copy = f.folder.path() + "/mine.wav";
        f.test.dialogs.setNextSaveFileName(chooseName ? copy : QString());
        w.m11Click();
        EXPECT_TRUE(w.Timer2->isActive());
        for (int tenth = 1; tenth <= 50; ++tenth) {
            f.test.audio.advance(100);
            w.Timer1Timer();  // does nothing in a timed recording
            w.Timer2Timer();
            ASSERT_EQ(w.TrackBar1->value(), tenth / 10) << tenth;
            ASSERT_EQ(w.Timer2->isActive(), tenth < 50) << tenth;
            ASSERT_EQ(f.test.dialogs.saveRequests.size(), tenth < 50 ? 0u : 1u) << tenth;
        }
        EXPECT_EQ(f.test.dialogs.saveRequests[0].defaultExtension, "wav");
        EXPECT_EQ(f.test.dialogs.saveRequests[0].filter, "WAV FILE|*.wav");
        EXPECT_EQ(w.IsRecordingFinished(), 1);
        EXPECT_EQ(w.CurrentMarkNumber(), 1);
        EXPECT_EQ(w.UserMarks(), platform::StringList({"6500"}));
        expectRecording(f.tempWav(), 5000);
        EXPECT_EQ(QFile::exists(copy), chooseName);
        if (chooseName)
            expectRecording(copy, 5000);

        // Made once per opening: Record is ignored from now on.
        f.test.audio.advance(1000);
        w.m11Click();
        EXPECT_FALSE(w.Timer2->isActive());
        expectRecording(f.tempWav(), 5000);
    }
}

TEST(Recording, StopInATimedRecordingOffersItAndLeavesTheTrackBar) {
    RecordingLessonFixture f("8", "5");
    exercises::TViewTxtFrm& w = f.launch();
    f.test.dialogs.setNextSaveFileName(QString());
    w.m11Click();
    for (int tenth = 1; tenth <= 23; ++tenth) {
        f.test.audio.advance(100);
        w.Timer2Timer();
    }
    w.m33Click();
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_EQ(w.TrackBar1->value(), 2);
    EXPECT_EQ(f.test.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(w.UserMarks(), platform::StringList({"3800"}));
    expectRecording(f.tempWav(), 2300);
}

TEST(Recording, RecordAfterAFinishedRecordingStartsFromAFreshBlankCopy) {
    RecordingLessonFixture f("3");
    exercises::TViewTxtFrm& w = f.launch();
    f.recordFor(1500);
    expectRecording(f.tempWav(), 1500);

    w.m11Click();
    EXPECT_EQ(w.IsRecordingFinished(), 0);
    EXPECT_TRUE(w.UserMarks().lines().isEmpty());
    EXPECT_EQ(w.MediaPlayer1->Position(), 0);
    f.run(500);
    w.m33Click();
    EXPECT_EQ(w.UserMarks(), platform::StringList({"2000"}));
    expectRecording(f.tempWav(), 500);
}

TEST(Recording, ASecondLaunchBlanksTheRecordingAndClosingWithoutRecordingKeepsTheMarks) {
    RecordingLessonFixture f("3");
    exercises::TViewTxtFrm& w = f.launch();
    f.recordFor(1000);
    w.m55Click();
    expectRecording(f.tempWav(), 1000);
    EXPECT_EQ(f.userMarks(), "1400\r\n2500\r\n");

    f.relaunch();
    expectRecording(f.tempWav(), 0);  // before the window is used
    f.test.audio.advance(1000);
    w.m55Click();
    EXPECT_EQ(f.userMarks(), "1400\r\n2500\r\n") << "the list the window still holds";
    expectRecording(f.tempWav(), 0);
}

TEST(Recording, AFailingRecordingClockRaisesOneBoxAndStops) {
    RecordingLessonFixture f("3");
    exercises::TViewTxtFrm& w = f.launch();
    w.MediaPlayer1->Close();
    w.Timer2->start();
    QEventLoop loop;
    QTimer::singleShot(450, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_EQ(f.test.dialogs.errors(), QStringList{"No MCI device open."});
}

TEST(Recording, StopWhilePausedEndsTheRecordingAndRecordWorksAgain) {
    RecordingLessonFixture f("11");
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    f.run(1000);
    w.m22Click();
    f.run(500);
    w.m33Click();
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_EQ(w.IsRecordingFinished(), 1);
    EXPECT_EQ(w.IsPaused(), 0);
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    // The lesson sound stood at 1000 while paused.
    EXPECT_EQ(w.UserMarks(), platform::StringList({"1400", "2500"}));
    expectRecording(f.tempWav(), 1500);
    f.test.audio.advance(2000);
    expectRecording(f.tempWav(), 1500);

    w.m11Click();
    EXPECT_TRUE(w.Timer1->isActive());
    f.run(500);
    w.m33Click();
    expectRecording(f.tempWav(), 500);
}

TEST(Recording, ASavedCopyGoesExactlyWhereTheLearnerChoseAndAFailedOneIsReported) {
    RecordingLessonFixture f("8", "1");
    f.folder.write("take.wav", "earlier take");
    exercises::TViewTxtFrm& w = f.launch();
    const QString app = f.folder.path();
    // The first name cannot be written; the learner is told and asked again.
    f.test.dialogs.setNextSaveFileName(app + "/no such folder/take.wav");
    f.test.dialogs.setNextSaveFileName(app + "/Take.wav");
    f.test.dialogs.setNextSaveFileName(app + "/with\\backslash.wav");
    w.m11Click();
    for (int tenth = 1; tenth <= 10; ++tenth) {
        f.test.audio.advance(100);
        w.Timer2Timer();
    }
    EXPECT_EQ(f.test.dialogs.errors(),
              QStringList({"Cannot create file " + app +
                           "/no such folder/take.wav: its folder does not exist."}));
    EXPECT_EQ(f.test.dialogs.saveRequests.size(), 2u);
    expectRecording(f.tempWav(), 1000);  // kept meanwhile
    expectRecording(app + "/Take.wav", 1000);
    QFile earlier(app + "/take.wav");
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier take") << "another letter case is another file";

    // A name with a backslash is a name like any other.
    w.m33Click();
    EXPECT_EQ(f.test.dialogs.saveRequests.size(), 3u);
    expectRecording(app + "/with\\backslash.wav", 1000);
}
