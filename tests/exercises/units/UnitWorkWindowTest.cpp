#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/units/UnitWorkFixture.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "support/FireTimer.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QTest>

using namespace lectern;
using lectern::test::UnitWorkFixture;

namespace {

const QString Start = "instext comm text text text | inscomm text comm text text";

}  // namespace

TEST(UnitWorkWindow, PlaysBothPagesInStepToTheEnd) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    ASSERT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    ASSERT_EQ(f.pages(), Start);
    EXPECT_EQ(w.TrackBar1->maximum(), 4);
    w.m11Click();
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.TrackBar1->isEnabled());

    // The test uses the clock of the tick before: a passage is passed on
    // the first tick after the clock went past its mark − 500.
    QStringList seen;
    for (int tick = 0; tick < 21 && w.Timer1->isActive(); ++tick) {
        f.tick();
        if (tick % 4 == 3 || !w.Timer1->isActive())
            seen.append(QStringLiteral("%1:%2:%3:%4")
                            .arg(w.MediaPlayer1->Position())
                            .arg(w.CurrentMarkNumber())
                            .arg(w.TrackBar1->value())
                            .arg(f.pages()));
    }
    EXPECT_EQ(seen, QStringList({
                        "1000:2:1:text inscomm text text text | text instext comm text text",
                        "2000:3:2:text comm instext text text | text text inscomm text text",
                        "3000:4:3:text comm text instext text | text text text instext text",
                        "4000:5:4:text comm text text instext | text text text text instext",
                        "5000:1:0:" + Start.left(27) + " | instext text text text text",
                    }));
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    EXPECT_EQ(w.PlayClockMs(), 0);
    EXPECT_EQ(w.IsCycleMode(), 0);
    f.test.audio.advance(500);
    EXPECT_EQ(w.MediaPlayer1->Position(), 5000) << "the sound stopped with the text";

    // Played again, passage 1 stays current until 500 ms before mark(1).
    w.m11Click();
    for (int i = 0; i < 3; ++i)
        f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 2);
}

// `]` while the sound plays doubles its pace from where it is heard; the
// passages follow the sound, as at its own pace.
TEST(UnitWorkWindow, TheSpeedKeysChangeThePaceAndThePassagesFollowTheSound) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.m11Click();
    for (int i = 0; i < 4; ++i)
        f.tick();
    ASSERT_EQ(w.MediaPlayer1->Position(), 1000);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&w, Qt::Key_BracketRight);
    EXPECT_EQ(w.MediaPlayer1->Speed(), 2.0);
    // Fine ticks: a passage is passed on the tick after the clock reached
    // it, whose lag in the sound doubles with the pace.
    for (int i = 0; i < 20; ++i)
        f.tick(50);
    EXPECT_EQ(w.MediaPlayer1->Position(), 3000);
    EXPECT_EQ(w.CurrentMarkNumber(), 4);
    EXPECT_EQ(f.pages(), "text comm text instext text | text text text instext text");
}

TEST(UnitWorkWindow, BetweenPassageChangesTheTickMakesNoDocumentCall) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.m11Click();
    f.tick();
    const platform::Variant left = w.LeftDocument;
    const platform::Variant right = w.RightDocument;
    // Any document call on an empty document would fail.
    w.LeftDocument = platform::Variant();
    w.RightDocument = platform::Variant();
    EXPECT_NO_THROW(f.tick());
    EXPECT_NO_THROW(f.tick());
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    w.LeftDocument = left;
    w.RightDocument = right;
    f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 2);
    EXPECT_EQ(f.left(), "text inscomm text text text");
}

TEST(UnitWorkWindow, AFirstMarkBelowHalfASecondIsPassedOnTheFirstTick) {
    UnitWorkFixture f;
    f.folder.writeLines("data/marks/unit.txt", {"400", "2000", "3000", "4000", "5000"});
    exercises::TWorkTxtFrm& w = f.launch();
    w.m11Click();
    f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 2);
    EXPECT_EQ(w.TrackBar1->value(), 1);
}

TEST(UnitWorkWindow, APickedPassagePassesOnAtOnceWithRunButNotWithContinue) {
    {
        UnitWorkFixture f;
        exercises::TWorkTxtFrm& w = f.launch();
        f.pick(3);
        EXPECT_EQ(w.PlayClockMs(), 3000) << "the end of the picked passage";
        EXPECT_EQ(f.pages(), "text comm instext text text | text text instext text text")
            << "the translation's commentary shows as instext when picked";
        EXPECT_EQ(w.MediaPlayer1->Position(), 0) << "a pick does not seek";
        w.m11Click();
        EXPECT_EQ(w.MediaPlayer1->Position(), 2000);
        f.tick();
        EXPECT_EQ(w.CurrentMarkNumber(), 4);
    }
    {
        UnitWorkFixture f;
        exercises::TWorkTxtFrm& w = f.launch();
        w.m22Click();  // Pause while stopped only sets the flag.
        EXPECT_EQ(w.IsPaused(), 1);
        EXPECT_FALSE(w.Timer1->isActive());
        f.pick(3);
        w.m22Click();  // Continue
        EXPECT_EQ(w.IsPaused(), 0);
        EXPECT_EQ(w.PlayClockMs(), 2000);
        EXPECT_EQ(w.MediaPlayer1->Position(), 2000);
        f.tick();
        EXPECT_EQ(w.CurrentMarkNumber(), 3);
    }
}

TEST(UnitWorkWindow, ContinueAtPassageTwoSeeksToItsStartWithTheClockAtZero) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.m22Click();
    f.pick(2);
    w.m22Click();
    EXPECT_EQ(w.MediaPlayer1->Position(), 1000);
    EXPECT_EQ(w.PlayClockMs(), 0);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.m22()->Hint(), "Pause");
}

TEST(UnitWorkWindow, PauseFreesTheTrackBarAndRunWhilePlayingDoesNothing) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.m11Click();
    for (int i = 0; i < 5; ++i)
        f.tick();
    ASSERT_EQ(w.CurrentMarkNumber(), 2);
    w.m11Click();
    EXPECT_EQ(w.MediaPlayer1->Position(), 1250) << "Run while playing does not seek";
    EXPECT_EQ(w.CurrentMarkNumber(), 2);

    w.m22Click();
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.m22()->Hint(), "Pause");
    f.test.audio.advance(1000);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1250) << "the sound is paused";

    // Run from pause restarts the current passage.
    w.m11Click();
    EXPECT_EQ(w.IsPaused(), 0);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1000);
    EXPECT_FALSE(w.TrackBar1->isEnabled());
}

TEST(UnitWorkWindow, StopReturnsToPassageOne) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.m11Click();
    for (int i = 0; i < 9; ++i)
        f.tick();
    ASSERT_EQ(w.CurrentMarkNumber(), 3);
    w.m33Click();
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    EXPECT_EQ(w.TrackBar1->value(), 0);
    EXPECT_EQ(w.PlayClockMs(), 0);
    EXPECT_EQ(f.pages(), "instext comm text text text | instext text text text text");
    const int at = w.MediaPlayer1->Position();
    f.test.audio.advance(500);
    EXPECT_EQ(w.MediaPlayer1->Position(), at);

    // A fresh load of the translation: Stop shows its commentary passage 1
    // as "inscomm".
    w.CppWebBrowser2->Navigate(w.CppWebBrowser2->LocationURL());
    f.loadPages();
    w.m33Click();
    EXPECT_EQ(f.right(), "inscomm text comm text text");

    // Stop while stopped away from passage 1 handles the move back like a
    // pick of passage 1.
    f.pick(4);
    w.m33Click();
    EXPECT_EQ(w.PreviousMarkNumber(), 1);
    EXPECT_EQ(w.PlayClockMs(), 1000);
    EXPECT_EQ(f.pages(), "instext comm text text text | instext text text text text")
        << "the pick of passage 4 put passage 3 to rest";
}

TEST(UnitWorkWindow, HelpOpensThePageOfTheLessonType) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.m44()->click();
    EXPECT_EQ(f.test.shell.opened, QStringList{f.folder.path() + "\\help\\help_2.htm"});
}

TEST(UnitWorkWindow, AFailingTickStopsTheTimerAndShowsOneBox) {
    UnitWorkFixture f;
    f.folder.writeLines("data/marks/unit.txt", {"1000", "soon", "3000", "4000", "5000"});
    exercises::TWorkTxtFrm& w = f.launch();
    w.m11Click();
    for (int i = 0; i < 4; ++i)
        f.tick();
    ASSERT_EQ(w.CurrentMarkNumber(), 2);
    f.test.audio.advance(UnitWorkFixture::Tick);
    EXPECT_THROW(w.Timer1Timer(), platform::Error);
    test::fireTimer(*w.Timer1);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(f.test.dialogs.errors(), QStringList{"'soon' is not a valid integer value."});
    f.test.dialogs.clear();

    // Through the real timer: one box, and no more ticks behind it.
    w.Timer1->setInterval(1);
    w.Timer1->start();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300)
        QCoreApplication::processEvents();
    EXPECT_EQ(f.test.dialogs.errors(), QStringList{"'soon' is not a valid integer value."});
    EXPECT_FALSE(w.Timer1->isActive());

    // The sound played on behind the box; Stop silences it.
    w.m33Click();
    const int at = w.MediaPlayer1->Position();
    f.test.audio.advance(500);
    EXPECT_EQ(w.MediaPlayer1->Position(), at);
}

TEST(UnitWorkWindow, ASoundThatEndsBeforeTheLastMarkEndsTheText) {
    UnitWorkFixture f;
    f.folder.writeLines("data/marks/unit.txt", {"1000", "2000", "3000", "8000", "9000"});
    exercises::TWorkTxtFrm& w = f.launch();
    w.m11Click();
    for (int i = 0; i < 40 && w.Timer1->isActive(); ++i)
        f.tick();
    EXPECT_FALSE(w.Timer1->isActive()) << "the sound ended at 6000";
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    EXPECT_EQ(w.TrackBar1->value(), 0);
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    EXPECT_EQ(f.pages(), Start.left(27) + " | instext text text text text");
    w.m11Click();
    EXPECT_TRUE(w.Timer1->isActive()) << "Play works again";
}

TEST(UnitWorkWindow, AnEmptyMarksListRefusesToPlayWithAMessage) {
    UnitWorkFixture f;
    f.folder.writeLines("data/marks/unit.txt", {});
    exercises::TWorkTxtFrm& w = f.launch();
    ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{&w}) << "the pages can still be read";
    EXPECT_EQ(w.TrackBar1->maximum(), 0);
    w.m11Click();
    w.m22Click();  // Pause
    w.m22Click();  // Continue
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(f.test.dialogs.texts(),
              QStringList(2, "This lesson has no marks: the sound cannot be followed."));
    EXPECT_TRUE(f.test.dialogs.errors().isEmpty());
    EXPECT_EQ(w.MediaPlayer1->Position(), 0);
}

TEST(UnitWorkWindow, VRecordsATakeOfTheCurrentPassageUntilTheLessonGoesOnAndBPlaysTheModelFirst) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.m11Click();
    for (int i = 0; i < 5; ++i)
        f.tick();
    const int k = w.CurrentMarkNumber();
    ASSERT_EQ(k, 2);
    f.recordTake(400);
    EXPECT_TRUE(w.IsPaused());
    EXPECT_TRUE(f.test.audio.clock().inputStarted());
    ASSERT_TRUE(w.Practice->Takes->recording());
    // The lesson sound going on (Space) ends the take before it is heard.
    w.m22Click();
    EXPECT_FALSE(w.Practice->Takes->recording());
    EXPECT_FALSE(f.test.audio.clock().inputStarted());
    EXPECT_NEAR(test::readWav(w.Practice->Takes->store().pathOf(k)).ms(), 400, 1);
    w.m22Click();
    w.Practice->Takes->compare();
    EXPECT_EQ(w.Practice->Takes->playing(), exercises::TakePlayback::Part::Model);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1000);
    EXPECT_TRUE(w.MediaPlayer1->Playing());
    // Space goes on with the lesson alone: B stops.
    w.m22Click();
    EXPECT_EQ(w.Practice->Takes->playing(), exercises::TakePlayback::Part::Done);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_TRUE(w.MediaPlayer1->Playing());
}
