#include "exercises/quiz/TestLessonFixture.h"
#include "platform/Error.h"
#include "support/Announcements.h"
#include "support/QtPrinters.h"

#include <QTest>

#include <gtest/gtest.h>
#include <QThread>
#include <vector>

using namespace lectern;
using lectern::test::TestLessonFixture;

TEST(MultipleChoice, TheLauncherPreparesATimedTest) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm", "5", "60");
    ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{&w});
    EXPECT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(w.Caption(), "A test");
    EXPECT_EQ(w.CppWebBrowser1->LocationURL(), f.folder.path() + "\\data\\text\\test.htm");
    EXPECT_EQ(w.Kind(), exercises::TMultiFrm::TestKind::MultipleChoice);
    EXPECT_EQ(w.SavesResults(), 0);
    EXPECT_EQ(w.SecondsLeft(), 60);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.Label1->isHidden());
    EXPECT_EQ(w.Label1->text(), "Time countdown: 60 seconds");
    // The test window never lights a button holder.
    for (platform::TImage* holder : {w.m1(), w.m2(), w.m3(), w.m4(), w.m5()})
        EXPECT_FALSE(holder->isVisible());
}

TEST(MultipleChoice, CountsOneErrorPerWronglyAnsweredQuestionAndMarksTheWrongChoice) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm");
    f.tick("q1");
    f.tick("q4");
    f.tick("q5");
    w.m33Click();
    EXPECT_EQ(f.results(), "All correct");
    EXPECT_FALSE(w.Timer1->isActive()) << "the check stops the countdown before its box";
    EXPECT_TRUE(w.isVisible()) << "the window stays open after a check";

    // Question 3 answered wrongly; the recount starts from zero.
    f.test.dialogs.clear();
    f.tick("q6");
    w.m33Click();
    EXPECT_EQ(f.results(), "Number of errors: 1");
    EXPECT_EQ(f.classOf("f6"), "instext");
    for (const char* id : {"f1", "f2", "f3", "f4", "f5"})
        EXPECT_EQ(f.classOf(id), "text") << id;

    // Nothing ticked: every question counts once; the mark stays from before.
    f.test.dialogs.clear();
    f.tick("q6");  // radios do not untick on a click; reload the choices instead
    for (const char* id : {"q1", "q4", "q5", "q6"})
        exercises::FindElement(f.document(), id).set("Checked", false);
    w.m33Click();
    EXPECT_EQ(f.results(), "Number of errors: 3");
    EXPECT_EQ(f.classOf("f6"), "instext");
}

TEST(MultipleChoice, AQuestionCountsOnceAndAGapEndsTheCheck) {
    const struct {
        const char* page;
        std::vector<const char*> ticked;
        const char* results;
        const char* feedback;  // the mark looked at
        const char* feedbackClass;
    } cases[] = {
        // Two right options, one left unticked, and a wrong one ticked.
        {"tworight.htm", {"q1", "q3", "q4"}, "Number of errors: 1", "f3", "instext"},
        // Inputs q1, q2, q4: the right q4 left unticked is never looked at.
        {"gap.htm", {"q1", "q5"}, "All correct", "f5", "text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        TestLessonFixture f;
        exercises::TMultiFrm& w = f.launch(c.page);
        for (const char* id : c.ticked)
            f.tick(id);
        w.m33Click();
        EXPECT_EQ(f.results(), c.results);
        EXPECT_EQ(f.classOf(c.feedback), c.feedbackClass);
    }
}

TEST(MultipleChoice, AnInputWithoutRtypeShowsTheErrorAndNoResult) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("nortype.htm");
    f.tick("q1");
    emit w.m33()->clicked();
    ASSERT_EQ(f.test.dialogs.errors().size(), 1u)
        << f.test.dialogs.texts().join('\n').toStdString();
    EXPECT_TRUE(f.test.dialogs.errors()[0].contains("rtype"));
    EXPECT_EQ(f.test.dialogs.boxes.size(), 1u);
}

TEST(MultipleChoice, AnInputWithoutANameReadsAnEmptyName) {
    TestLessonFixture f;
    f.launch("noname.htm");
    f.tick("q1");
    f.window().m33Click();
    EXPECT_TRUE(f.test.dialogs.errors().isEmpty())
        << f.test.dialogs.errors().join('\n').toStdString();
    // The nameless wrong choice is marked but, like the empty name before
    // any count, not counted; the named right option left out is.
    EXPECT_EQ(f.results(), "Number of errors: 1");
    EXPECT_EQ(f.classOf("f1"), "instext");
}

TEST(MultipleChoice, TheCountdownChecksAtZeroAndResumesOnlyWithSecondsLeft) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm", "5", "3");
    f.tick("q1");
    f.countDown(2);
    EXPECT_EQ(w.Label1->text(), "Time countdown: 1 seconds");
    EXPECT_TRUE(f.test.dialogs.boxes.empty());

    // A check with a second left stops the countdown; resume goes on.
    w.m33Click();
    EXPECT_FALSE(w.Timer1->isActive());
    w.m11Click();
    EXPECT_TRUE(w.Timer1->isActive());

    f.test.dialogs.clear();
    f.countDown(1);
    EXPECT_EQ(w.SecondsLeft(), 0);
    EXPECT_EQ(f.results(), "Number of errors: 2");
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.isVisible());
    w.m11Click();
    EXPECT_FALSE(w.Timer1->isActive()) << "no seconds left to resume";
}

// A screen reader hears ten seconds before the end and the end, not every
// second the label shows.
TEST(MultipleChoice, TheCountdownAnnouncesItsLastTenSecondsAndTheEndOnce) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm", "5", "12");
    test::Announcements heard;
    f.countDown(12);
    EXPECT_EQ(heard.texts(), (QStringList{"10 seconds left", "Time is up"}));
    EXPECT_EQ(w.Label1->accessibleName(), "Time countdown");
}

TEST(MultipleChoice, ResumeWhileCountingDownKeepsTheCurrentSecond) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm", "5", "30");
    ASSERT_TRUE(w.Timer1->isActive());
    QThread::msleep(200);
    w.m11Click();
    EXPECT_LT(w.Timer1->remainingTime(), 925) << "clicking resume must not hold the countdown";
}

TEST(MultipleChoice, ALimitOfZeroHidesTheLabelAndNeverTimesOut) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm", "5", "0");
    EXPECT_TRUE(w.Label1->isHidden());
    EXPECT_EQ(w.Label1->text(), "Time countdown: 0 seconds");
    EXPECT_TRUE(w.Timer1->isActive());
    f.countDown(100);
    EXPECT_EQ(w.Label1->text(), "Time countdown: -100 seconds");
    EXPECT_TRUE(f.test.dialogs.boxes.empty());
    EXPECT_TRUE(w.Timer1->isActive());
}

TEST(MultipleChoice, ABadTimeEntryStopsTheLaunchAndTheCountdown) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm", "5", "1 min");
    EXPECT_EQ(f.launchError, "'1 min' is not a valid integer value");
    EXPECT_TRUE(f.test.modal.shown.empty());
    EXPECT_FALSE(w.Timer1->isActive()) << "a hidden window must not count down";
}

TEST(MultipleChoice, HelpExitAndTheCloseBox) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm");
    w.m44Click();
    EXPECT_EQ(f.test.shell.opened, QStringList{f.folder.path() + "\\help\\help_5.htm"});

    w.m55Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1->isActive());

    w.show();
    w.Timer1->start();
    w.close();
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST(MultipleChoice, CtrlReturnChecksAndEscapeCloses) {
    TestLessonFixture f;
    exercises::TMultiFrm& w = f.launch("three.htm");
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    f.tick("q1");
    f.tick("q4");
    f.tick("q5");
    QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(f.results(), "All correct");
    EXPECT_EQ(w.m33()->accessibleDescription(), "Key: Ctrl+Return");
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}
