#include "exercises/practice/PassagePause.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/TextZoom.h"
#include "exercises/units/UnitWorkFixture.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace lectern;
using lectern::test::UnitWorkFixture;

namespace {

// The clock moves on `ms`, a tick every 250 ms while the window's timer runs.
void runFor(UnitWorkFixture& f, int ms) {
    for (int t = 0; t < ms; t += UnitWorkFixture::Tick) {
        if (f.work().Timer1->isActive())
            f.tick();
        else
            f.test.audio.advance(UnitWorkFixture::Tick);
    }
}

void selectUnit(UnitWorkFixture& f, int first, int last) {
    f.pick(first);
    f.work().caaClick();
    f.pick(last);
    f.work().caaClick();
}

}  // namespace

// Pausing after each passage: the sound stops at each end mark and both
// pages hold that passage until Run plays the next; in a cycle, after the
// unit's last passage Run starts the unit again.
TEST(UnitPractice, PauseAfterEachPassageHoldsBothPagesAndKeepsToTheUnit) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.Practice->PauseAfter->set(true);
    w.m11Click();
    runFor(f, 1500);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1000);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(f.pages(), "instext comm text text text | inscomm text comm text text");
    w.m11Click();
    EXPECT_EQ(f.pages(), "text inscomm text text text | text instext comm text text");
    runFor(f, 1500);
    EXPECT_EQ(w.MediaPlayer1->Position(), 2000);
    EXPECT_EQ(w.CurrentMarkNumber(), 3) << "Run goes on with passage 3";

    w.m33Click();
    selectUnit(f, 3, 4);
    w.caaClick();  // Play cycle, from the end of passage 2
    // Passage, where the sound stands once held, where Run starts it.
    const int holds[][3] = {{3, 3000, 3000}, {4, 4000, 2000}, {3, 3000, 3000}};
    for (const auto& [passage, heldAt, runFrom] : holds) {
        SCOPED_TRACE(passage);
        runFor(f, 1500);
        EXPECT_EQ(w.MediaPlayer1->Position(), heldAt);
        EXPECT_TRUE(w.Practice->PauseAfter->holding());
        EXPECT_EQ(w.Practice->PauseAfter->heldPassage(), passage);
        w.m11Click();
        EXPECT_EQ(w.MediaPlayer1->Position(), runFrom);
        EXPECT_TRUE(w.IsCycleMode());
    }
}

// R plays the current passage again from its start; in a cycle it stays
// within the unit, also while the passage before the unit leads in.
TEST(UnitPractice, RepeatReplaysThePassageWithinTheLoopedUnit) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    selectUnit(f, 3, 4);
    w.caaClick();
    const struct {
        int ticks;
        int current;
        int replayFrom;
    } presses[] = {{0, 2, 2000}, {5, 4, 3000}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.current);
        for (int i = 0; i < press.ticks; ++i)
            f.tick();
        ASSERT_EQ(w.CurrentMarkNumber(), press.current);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_R);
        EXPECT_EQ(w.MediaPlayer1->Position(), press.replayFrom);
        EXPECT_TRUE(w.IsCycleMode());
        EXPECT_TRUE(w.Timer1->isActive());
    }
    f.tick();
    EXPECT_EQ(f.left(), "text comm cycle instext text") << "passage 4 again";
}

// The text size reaches both pages.
TEST(UnitPractice, TextSizeScalesBothPages) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.Practice->Zoom->set(200);
    EXPECT_DOUBLE_EQ(w.CppWebBrowser1->Zoom(), 2.0);
    EXPECT_DOUBLE_EQ(w.CppWebBrowser2->Zoom(), 2.0);
}
