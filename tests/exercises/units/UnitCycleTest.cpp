#include "exercises/units/UnitWorkFixture.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

using namespace lectern;
using lectern::test::UnitWorkFixture;
using Step = lectern::exercises::TWorkTxtFrm::UnitStep;

namespace {

// Selects the unit from passage `first` to passage `last` with picks.
void selectUnit(UnitWorkFixture& f, int first, int last) {
    f.pick(first);
    f.work().caaClick();
    f.pick(last);
    f.work().caaClick();
}

// Runs ticks and notes the current passage after each.
QString passages(UnitWorkFixture& f, int ticks) {
    QString seen;
    for (int i = 0; i < ticks; ++i) {
        f.tick();
        seen += QString::number(f.work().CurrentMarkNumber());
    }
    return seen;
}

}  // namespace

TEST(UnitCycle, TheButtonNeedsAPassageAfterTheFirstAndAnEndAfterTheStart) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    // One press of the unit button a row, after picking a passage (0: none).
    const struct {
        const char* what;
        int pick;
        Step next;
        const char* hint;
        const char* pages;  // when looked at
    } presses[] = {
        {"begin unit at passage 1", 0, Step::BeginUnit, "Begin unit", nullptr},
        {"begin unit at passage 3", 3, Step::EndUnit, "End unit",
         "text comm cycle text text | text text cycle text text"},
        {"end unit at the start", 0, Step::EndUnit, "End unit", nullptr},
        {"end unit before the start", 2, Step::EndUnit, "End unit", nullptr},
        {"end unit at passage 5", 5, Step::PlayCycle, "Play cycle",
         "text comm cycle cycle cycle | text text cycle cycle cycle"},
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(press.what);
        if (press.pick)
            f.pick(press.pick);
        w.caaClick();
        EXPECT_EQ(w.NextUnitStep(), press.next);
        EXPECT_EQ(w.caa()->Hint(), press.hint);
        if (press.next != Step::BeginUnit) {
            EXPECT_EQ(w.UnitStartMark(), 3);
        }
        if (press.pages) {
            EXPECT_EQ(f.pages(), press.pages);
        }
    }
    EXPECT_EQ(w.UnitEndMark(), 5);
}

TEST(UnitCycle, AUnitFromThreeToFivePlaysOverAndOver) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    selectUnit(f, 3, 5);
    w.caaClick();
    EXPECT_EQ(w.IsCycleMode(), 1);
    EXPECT_EQ(w.NextUnitStep(), Step::BeginUnit);
    EXPECT_EQ(w.caa()->Hint(), "Begin unit");
    EXPECT_EQ(w.CurrentMarkNumber(), 2);
    EXPECT_EQ(w.PlayClockMs(), 2000);
    EXPECT_EQ(w.MediaPlayer1->Position(), 2000);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.TrackBar1->isEnabled());

    f.tick();
    EXPECT_EQ(f.pages(), "text inscomm cycle cycle cycle | text instext cycle cycle cycle")
        << "passage 2 is current for one tick";
    EXPECT_EQ(w.CurrentMarkNumber(), 3);
    f.tick();
    EXPECT_EQ(f.pages(), "text comm instext cycle cycle | text text instext cycle cycle");

    // Passages 3, 4, 5; past mark(5) − 500 the sound starts again at mark(2).
    EXPECT_EQ(passages(f, 9), "344445555");
    f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 2);
    EXPECT_EQ(w.PlayClockMs(), 2000);
    EXPECT_EQ(w.MediaPlayer1->Position(), 2000);
    EXPECT_TRUE(w.Timer1->isActive());
    f.tick();
    EXPECT_EQ(f.pages(), "text inscomm cycle cycle cycle | text instext cycle cycle cycle");
    EXPECT_EQ(passages(f, 12), "334444555523");
}

TEST(UnitCycle, AUnitFromPassageTwoStartsAtZeroThenAtMarkOne) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    selectUnit(f, 2, 3);
    w.caaClick();
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    EXPECT_EQ(w.PlayClockMs(), 0);
    EXPECT_EQ(w.MediaPlayer1->Position(), 0);
    // Passage 1 until mark(1) − 500, then 2 and 3, then from mark(1).
    EXPECT_EQ(passages(f, 12), "111222233331");
    EXPECT_EQ(w.MediaPlayer1->Position(), 1000);
    EXPECT_EQ(passages(f, 2), "22");
}

TEST(UnitCycle, StopPutsTheUnitToRest) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    selectUnit(f, 3, 4);
    w.caaClick();
    passages(f, 3);
    ASSERT_EQ(f.pages(), "text comm instext cycle text | text text instext cycle text");
    w.m33Click();
    EXPECT_EQ(w.IsCycleMode(), 0);
    EXPECT_EQ(w.CurrentMarkNumber(), 1);
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.caa()->Hint(), "Begin unit");
    EXPECT_EQ(f.pages(), "instext comm text text text | instext text text text text");

    // A commentary passage inside a unit was written over with "cycle": at
    // rest it is ordinary text.
    selectUnit(f, 2, 3);
    w.caaClick();
    w.m33Click();
    EXPECT_EQ(f.left(), "instext text text text text");
}

TEST(UnitCycle, PauseKeepsTheCycleAndAPickMarksTheUnitAgain) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    selectUnit(f, 3, 4);
    w.caaClick();
    passages(f, 3);
    w.m22Click();
    EXPECT_EQ(w.IsCycleMode(), 1);
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    f.pick(2);
    EXPECT_EQ(f.pages(), "text inscomm cycle cycle text | text instext cycle cycle text");
    w.m22Click();
    EXPECT_EQ(w.IsCycleMode(), 1);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1000);
}

TEST(UnitCycle, ACycleChosenWhilePausedStartsUnpaused) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.m11Click();
    passages(f, 2);
    w.m22Click();  // Pause: the track bar is free to pick the unit.
    selectUnit(f, 3, 4);
    w.caaClick();  // Play cycle
    passages(f, 2);
    const int heard = w.MediaPlayer1->Position();
    w.m22Click();  // the learner's first Pause pauses
    EXPECT_FALSE(w.Timer1->isActive());
    f.test.audio.advance(500);
    EXPECT_EQ(w.MediaPlayer1->Position(), heard) << "the sound pauses where it was";
}

TEST(UnitCycle, ASoundShorterThanTheUnitStillRepeatsIt) {
    UnitWorkFixture f;
    f.folder.writeLines("data/marks/unit.txt", {"1000", "2000", "3000", "4000", "9000"});
    exercises::TWorkTxtFrm& w = f.launch();
    selectUnit(f, 4, 5);
    w.caaClick();
    // The sound ends at 6000, long before mark(5) − 500: the cycle begins again.
    passages(f, 40);
    EXPECT_LT(w.MediaPlayer1->Position(), 6000);
    EXPECT_TRUE(w.Timer1->isActive());
}

TEST(UnitCycle, ClicksWhileTheSoundRunsAreIgnored) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    f.pick(2);
    w.m11Click();
    w.caaClick();
    EXPECT_EQ(w.NextUnitStep(), Step::BeginUnit);

    w.m22Click();
    w.caaClick();
    ASSERT_EQ(w.NextUnitStep(), Step::EndUnit);
    w.m22Click();
    passages(f, 8);
    w.caaClick();
    EXPECT_EQ(w.NextUnitStep(), Step::EndUnit);

    w.m22Click();
    w.caaClick();
    ASSERT_EQ(w.NextUnitStep(), Step::PlayCycle);
    w.m22Click();
    w.caaClick();
    EXPECT_EQ(w.NextUnitStep(), Step::PlayCycle);
    EXPECT_EQ(w.IsCycleMode(), 0);
}

TEST(UnitCycle, APictureThatCannotBeLoadedEndsTheClickBeforeTheStepChanges) {
    UnitWorkFixture f;
    f.folder.remove("gdata/c1a.jpg");
    exercises::TWorkTxtFrm& w = f.launch();
    const QImage resting = w.c()->Picture();
    f.pick(2);
    w.caa()->click();
    EXPECT_EQ(f.test.dialogs.errors(), QStringList{"Cannot open file gdata/c1a.jpg."});
    EXPECT_EQ(w.NextUnitStep(), Step::BeginUnit);
    EXPECT_EQ(w.caa()->Hint(), "Begin unit");
    EXPECT_EQ(w.c()->Picture(), resting) << "neither picture changes";
    EXPECT_EQ(f.left(), "text inscomm text text text");
}
