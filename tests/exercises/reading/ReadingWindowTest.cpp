#include "exercises/NarrationSpeed.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/reading/ReadingLessonFixture.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/widgets/NoticeOverlay.h"
#include "support/Announcements.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <memory>
#include <stdexcept>

using namespace lectern;
using lectern::test::ReadingLessonFixture;

TEST(ReadingWindow, TheLauncherPreparesTheWindowAndTheFirstLoadHighlightsPassageOne) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    const QString app = f.folder.path();
    ASSERT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{&w});
    EXPECT_EQ(w.Caption(), "First reading");
    EXPECT_EQ(w.CppWebBrowser1->LocationURL(), app + "\\data\\text\\reading.htm");
    EXPECT_EQ(w.MediaPlayer1->FileName(), app + "\\data\\sound\\reading.wav");
    EXPECT_TRUE(w.MediaPlayer1->IsOpen());
    EXPECT_EQ(w.Marks().Count(), 3);
    EXPECT_EQ(w.TrackBar1->maximum(), 2);
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    EXPECT_EQ(w.m11()->Hint(), "Play");
    EXPECT_EQ(w.m22()->Hint(), "Pause");
    EXPECT_EQ(w.m33()->Hint(), "Stop");
    EXPECT_EQ(w.IsPagePrepared(), 1);
    EXPECT_EQ(f.classes(), "instext comm text");

    // A later load of the same page only renews the document.
    w.CppWebBrowser1->Navigate(app + "\\data\\text\\reading.htm");
    f.loadPages();
    EXPECT_EQ(f.classes(), "text comm text");
}

TEST(ReadingWindow, ClosingGivesBackTheSoundAndRunningAgainStartsAfresh) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launchAndPlay(5);
    ASSERT_EQ(f.classes(), "text inscomm text");
    w.m55Click();
    EXPECT_FALSE(w.MediaPlayer1->IsOpen());

    // Run again: the page is loaded anew with passage 1 current, and the
    // sound plays from its start.
    f.windows->MainFrm->m22Click();
    f.loadPages();
    ASSERT_TRUE(w.isVisible());
    EXPECT_TRUE(w.MediaPlayer1->IsOpen());
    EXPECT_TRUE(w.IsPagePrepared());
    EXPECT_EQ(f.classes(), "instext comm text");
    w.m11Click();
    for (int i = 0; i < 4; ++i)
        f.tick();
    EXPECT_EQ(w.PlayClockMs(), 1000);
    EXPECT_EQ(f.classes(), "text inscomm text");

    // Closed before its page has loaded, the window gets no late load.
    w.m55Click();
    f.windows->MainFrm->m22Click();
    w.m55Click();
    f.loadPages();
    EXPECT_FALSE(w.IsPagePrepared());
    EXPECT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
}

TEST(ReadingWindow, PlaysAThreePassagePageToTheEnd) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.TrackBar1->isEnabled());

    // Each passage is passed once the sound is within 500 ms of its mark.
    QStringList seen;
    for (int tick = 0; tick < 11 && w.Timer1->isActive(); ++tick) {
        f.tick();
        seen.append(QStringLiteral("%1:%2:%3")
                        .arg(w.PlayClockMs())
                        .arg(w.CurrentMarkNumber())
                        .arg(f.classes()));
    }
    EXPECT_EQ(seen, QStringList({
                        "250:1:instext comm text",
                        "500:1:instext comm text",
                        "750:2:instext comm text",
                        "1000:2:text inscomm text",
                        "1250:2:text inscomm text",
                        "1500:2:text inscomm text",
                        "1750:3:text inscomm text",
                        "2000:3:text comm instext",
                        "2250:3:text comm instext",
                        "2500:3:text comm instext",
                        "0:1:instext comm text",
                    }));
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.TrackBar1->value(), 0);
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    const int stoppedAt = w.MediaPlayer1->Position();
    f.tick();
    EXPECT_EQ(w.MediaPlayer1->Position(), stoppedAt) << "the sound stopped with the text";
}

TEST(ReadingWindow, AFirstMarkBelowHalfASecondIsPassedOnTheFirstTick) {
    ReadingLessonFixture f;
    f.folder.writeLines("data/marks/reading.txt", {"400", "2000", "3000"});
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 2);
    EXPECT_EQ(w.TrackBar1->value(), 1);
}

TEST(ReadingWindow, ContinueStartsTheCurrentPassageFromItsBeginning) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launchAndPlay(5);
    ASSERT_EQ(w.CurrentMarkNumber(), 2);
    w.m22Click();
    EXPECT_EQ(w.IsPaused(), 1);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.TrackBar1->isEnabled());
    const int pausedAt = w.MediaPlayer1->Position();
    f.test.audio.advance(1000);
    EXPECT_EQ(w.MediaPlayer1->Position(), pausedAt);

    w.m22Click();
    EXPECT_EQ(w.IsPaused(), 0);
    EXPECT_EQ(w.PlayClockMs(), 1000);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1000) << "continues from mark(1)";
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.m22()->Hint(), "Pause");
}

TEST(ReadingWindow, TheTrackBarPicksAPassageWithoutStartingTheSound) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    w.TrackBar1->setValue(1);
    EXPECT_EQ(f.classes(), "text inscomm text");
    w.TrackBar1->setValue(2);
    EXPECT_EQ(w.CurrentMarkNumber(), 3);
    EXPECT_EQ(w.PreviousMarkNumber(), 3);
    EXPECT_EQ(f.classes(), "text comm instext") << "passage 2 and the previous pick rest";
    EXPECT_EQ(w.MediaPlayer1->Position(), 0);

    w.m11Click();
    EXPECT_EQ(w.MediaPlayer1->Position(), 2000) << "play starts at the picked passage";
    w.TrackBar1->setValue(0);
    EXPECT_EQ(w.CurrentMarkNumber(), 3) << "moves are ignored while playing";
}

TEST(ReadingWindow, StopReturnsToPassageOneDuringPlayAndWhilePaused) {
    const struct {
        const char* when;
        int ticks;
        int passage;  // current when Stop is pressed
        bool paused;
    } cases[] = {{"during play", 8, 3, false}, {"while paused", 5, 2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when);
        ReadingLessonFixture f;
        exercises::TViewTxtFrm& w = f.launchAndPlay(c.ticks);
        ASSERT_EQ(w.CurrentMarkNumber(), c.passage);
        if (c.paused)
            w.m22Click();
        w.m33Click();
        EXPECT_FALSE(w.Timer1->isActive());
        EXPECT_EQ(f.classes(), "instext comm text");
        EXPECT_EQ(w.TrackBar1->value(), 0);
        EXPECT_TRUE(w.TrackBar1->isEnabled());
        EXPECT_EQ(w.CurrentMarkNumber(), 1);
        EXPECT_EQ(w.IsPaused(), c.paused ? 1 : 0) << "Stop leaves the paused flag";
        const int at = w.MediaPlayer1->Position();
        f.test.audio.advance(500);
        EXPECT_EQ(w.MediaPlayer1->Position(), at) << "the sound stopped";
        if (c.paused) {
            // Pause then acts as Continue, from passage one.
            w.m22Click();
            EXPECT_TRUE(w.Timer1->isActive());
            EXPECT_EQ(w.MediaPlayer1->Position(), 0);
            EXPECT_EQ(w.IsPaused(), 0);
        }
    }
}

TEST(ReadingWindow, AMissingPassageStopsTheTimerWithOneBoxAndTheSoundPlaysOn) {
    ReadingLessonFixture f;
    f.folder.writeLines("data/marks/reading.txt", {"1000", "2000", "3000", "4000"});
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    for (int i = 0; i < 16 && w.Timer1->isActive(); ++i)
        f.tick();
    ASSERT_FALSE(w.Timer1->isActive());
    ASSERT_EQ(f.test.dialogs.boxes.size(), 1u);
    EXPECT_EQ(f.test.dialogs.boxes[0].caption, QString::fromUtf8("Ошибка!"));
    EXPECT_TRUE(f.test.dialogs.boxes[0].text.contains("a4"))
        << f.test.dialogs.boxes[0].text.toStdString();
    const int at = w.MediaPlayer1->Position();
    f.test.audio.advance(250);
    EXPECT_EQ(w.MediaPlayer1->Position(), at + 250) << "the players are not stopped";

    // Stop silences the sound all the same (and meets the missing passage).
    w.guarded([&] { w.m33Click(); });
    const int stoppedAt = w.MediaPlayer1->Position();
    f.test.audio.advance(250);
    EXPECT_EQ(w.MediaPlayer1->Position(), stoppedAt);
}

TEST(ReadingWindow, ASoundThatEndsBeforeTheLastMarkEndsTheText) {
    ReadingLessonFixture f;
    f.folder.writeLines("data/marks/reading.txt", {"1000", "5000", "9000"});
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    for (int i = 0; i < 40 && w.Timer1->isActive(); ++i)
        f.tick();
    EXPECT_FALSE(w.Timer1->isActive()) << "the sound ended at 3500";
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    EXPECT_EQ(w.TrackBar1->value(), 0);
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    EXPECT_EQ(f.classes(), "instext comm text");
    EXPECT_TRUE(f.test.dialogs.boxes.empty());
    w.m11Click();
    EXPECT_TRUE(w.Timer1->isActive()) << "Play works again";
}

namespace {

// A page object whose every member access fails with an error that is not the
// toolkit's own, as a lost page would.
struct LostPage : platform::DispatchObject {
    platform::Variant get(const QString&) override { throw std::runtime_error("page lost"); }
    void set(const QString&, const platform::Variant&) override { get({}); }
    platform::Variant call(const QString&, const QString*) override { return get({}); }
    QString describe() const override { return QStringLiteral("the lost page"); }
};

}  // namespace

TEST(ReadingWindow, AnyOtherErrorOfATickStopsTheTimerAndShowsTheStandardBox) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    w.m11Click();
    w.PageDocument = platform::Variant(std::make_shared<LostPage>());
    // Through the real timer: the error never unwinds through the event loop.
    w.Timer1->setInterval(1);
    w.Timer1->start();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 200)
        QCoreApplication::processEvents();
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(f.test.dialogs.errors(), QStringList{"page lost."});
    EXPECT_EQ(f.test.dialogs.boxes.size(), 1u);
}

TEST(ReadingWindow, BadMarksGoThroughTheTicksGuard) {
    for (const QStringList& marks : {QStringList{}, QStringList{"abc"}, QStringList{""}}) {
        ReadingLessonFixture f;
        f.folder.writeLines("data/marks/reading.txt", marks);
        exercises::TViewTxtFrm& w = f.launch();
        w.m11Click();
        f.tick();
        EXPECT_FALSE(w.Timer1->isActive()) << marks.join('|').toStdString();
        EXPECT_EQ(f.test.dialogs.boxes.size(), 1u) << marks.join('|').toStdString();
    }
}

TEST(ReadingWindow, DecreasingMarksPassOnePassagePerTick) {
    ReadingLessonFixture f;
    f.folder.writeLines("data/marks/reading.txt", {"3000", "100", "50"});
    exercises::TViewTxtFrm& w = f.launchAndPlay(11);
    EXPECT_EQ(w.CurrentMarkNumber(), 2) << "passed 500 ms before 3000";
    f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 3) << "one passage per tick, however far behind";
    f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 1) << "the text ends on the tick after";
    EXPECT_TRUE(f.test.dialogs.boxes.empty());
}

TEST(ReadingWindow, PlayWithoutADocumentWarnsAndPlaysAllTheSame) {
    ReadingLessonFixture f;
    mainwindow::TMainFrm& main = f.start();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
    main.m22Click();
    exercises::TViewTxtFrm& w = f.reading();
    w.m11Click();
    EXPECT_EQ(f.test.dialogs.texts(),
              QStringList({QString::fromUtf8("Ошибка инициализации документа.")}));
    EXPECT_TRUE(w.Timer1->isActive());
}

TEST(ReadingWindow, HelpOpensTheLessonTypesHelpPageAndExitStopsEverything) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    w.m44Click();
    EXPECT_EQ(f.test.shell.opened, QStringList({f.folder.path() + "\\help\\help_1.htm"}));
    w.m11Click();
    f.tick();
    w.m55Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1->isActive());
    // Closed with the window: the sound is silent and its memory given back.
    EXPECT_FALSE(w.MediaPlayer1->IsOpen());
    EXPECT_FALSE(w.MediaPlayer2->IsOpen());
}

TEST(ReadingWindow, TheKeyboardAloneOpensPlaysPausesAndClosesALesson) {
    ReadingLessonFixture f;
    mainwindow::TMainFrm& main = f.start();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    ASSERT_EQ(QApplication::focusWidget(), main.TreeView1) << "the tree has the focus";
    // The chapter (node 0) opens to the right; its first lesson is below.
    QTest::keyClick(main.TreeView1, Qt::Key_Right);
    QTest::keyClick(main.TreeView1, Qt::Key_Down);
    QTest::keyClick(main.TreeView1, Qt::Key_Return);
    f.loadPages();
    exercises::TViewTxtFrm& w = f.reading();
    ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{&w});
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    // A screen reader hears each change of state once, and no passage
    // during the narration.
    test::Announcements heard;
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_TRUE(w.Timer1->isActive()) << "Space plays";
    for (int i = 0; i < 4; ++i)
        f.tick();
    EXPECT_EQ(f.classes(), "text inscomm text");
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_TRUE(w.IsPaused()) << "Space pauses";
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(f.classes(), "text inscomm text") << "the highlight holds";
    EXPECT_EQ(exercises::FindElement(w.PageDocument, "t2").get("ariaCurrent").toString(), "true")
        << "and marks the passage for a screen reader in the page";
    QTest::keyClick(&w, Qt::Key_F2);
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_FALSE(w.IsPaused()) << "and continues";
    for (int i = 0; i < 20 && w.Timer1->isActive(); ++i)
        f.tick();
    EXPECT_EQ(heard.texts(),
              (QStringList{"Paused", "Passage 2 of 3", "Continued", "End of the lesson"}));
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible()) << "Escape is Exit";

    EXPECT_EQ(w.m11()->accessibleDescription(), "Key: Space");
    EXPECT_EQ(w.m22()->accessibleDescription(), "Key: Space");
    EXPECT_EQ(w.m44()->accessibleDescription(), "Key: F1");
    EXPECT_EQ(w.m55()->accessibleDescription(), "Key: Esc");
}

TEST(ReadingWindow, LeftAndRightStepTheTrackBarWhileItIsEnabled) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_Right);
    QTest::keyClick(&w, Qt::Key_Right);
    QTest::keyClick(&w, Qt::Key_Right);
    EXPECT_EQ(w.TrackBar1->value(), 2) << "no step past the last passage";
    EXPECT_EQ(w.CurrentMarkNumber(), 3);
    EXPECT_EQ(f.classes(), "text comm instext");
    QTest::keyClick(&w, Qt::Key_Left);
    EXPECT_EQ(w.CurrentMarkNumber(), 2);
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::keyClick(&w, Qt::Key_Left);
    EXPECT_EQ(w.CurrentMarkNumber(), 2) << "the track bar is off while playing";
}

// At 0.7× (`[` three times) the lesson's 1 kHz tone keeps its pitch and the
// page keeps in step with the sound: passage 2 to passage 3 takes
// (mark 2 − mark 1) / 0.7. The pace is the course's until changed.
TEST(ReadingWindow, SlowerNarrationKeepsItsPitchAndThePageInStep) {
    ReadingLessonFixture f;
    test::writeTone(f.folder.path() + "/data/sound/reading.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                    22050, 1, 3500, 1000);
    exercises::TViewTxtFrm& w = f.launch();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    test::Announcements heard;
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&w, Qt::Key_BracketLeft);
    EXPECT_EQ(heard.texts(), QString::fromUtf8("Speed 0.9×|Speed 0.8×|Speed 0.7×").split('|'));
    EXPECT_EQ(w.MediaPlayer1->Speed(), 0.7);
    EXPECT_EQ(w.MediaPlayer2->Speed(), 0.7) << "the sound playing along too";
    EXPECT_FALSE(w.MediaPlayer1->Playing()) << "a speed key while nothing plays only sets it";
    EXPECT_FALSE(w.Timer1->isActive());
    QLabel* overlay = w.Practice->Speed->overlay();
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->text(), QString::fromUtf8("Speed 0.7×"));

    f.test.audio.clock().keepOutput = true;
    w.m11Click();
    int elapsed = 0, atPassage2 = -1, atPassage3 = -1;
    while (elapsed < 5000 && atPassage3 < 0) {
        f.tick(10);
        elapsed += 10;
        if (w.CurrentMarkNumber() == 2 && atPassage2 < 0)
            atPassage2 = elapsed;
        if (w.CurrentMarkNumber() == 3)
            atPassage3 = elapsed;
    }
    ASSERT_GE(atPassage2, 0);
    EXPECT_NEAR(atPassage3 - atPassage2, (2000 - 1000) / 0.7, 10);
    EXPECT_NEAR(test::toneFrequency(f.test.audio.clock().output, 2, 48000), 1000, 30);

    w.m55Click();
    exercises::TViewTxtFrm& again = f.launch();
    EXPECT_EQ(again.MediaPlayer1->Speed(), 0.7) << "remembered for the course";
    again.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&again));
    const std::vector<std::pair<Qt::Key, double>> keys = {
        {Qt::Key_BracketRight, 0.8}, {Qt::Key_Backspace, 1.0}, {Qt::Key_BracketRight, 1.1}};
    for (const auto& [key, speed] : keys) {
        QTest::keyClick(&again, key);
        EXPECT_EQ(again.Practice->Speed->speed(), speed);
    }
    again.Practice->Speed->set(0.2);
    EXPECT_EQ(again.MediaPlayer1->Speed(), 0.5) << "no slower than 0.5";
    again.Practice->Speed->set(7);
    EXPECT_EQ(again.MediaPlayer1->Speed(), 2.0) << "no faster than 2";
}
