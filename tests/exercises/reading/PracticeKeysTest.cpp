#include "exercises/NarrationSpeed.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/practice/PassagePause.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/SyncOffset.h"
#include "exercises/practice/TextZoom.h"
#include "exercises/reading/ReadingLessonFixture.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/Sound.h"
#include "platform/widgets/NoticeOverlay.h"

#include <QTest>

#include <gtest/gtest.h>
#include <cmath>

using namespace lectern;
using exercises::PassagePause;
using lectern::test::ReadingLessonFixture;

namespace {

// The reading lesson's sound at a level a passage: + for passage 1, − for
// passage 2, + for passage 3 (marks 1000, 2000, 3000 ms), so that the
// output tells which passage it came from.
void writeLevels(const QString& path) {
    const int rate = 22050;
    std::vector<float> samples(std::size_t(rate) * 7 / 2, 0.3f);
    std::fill(samples.begin() + rate, samples.begin() + 2 * rate, -0.3f);
    platform::Sound::write(path, "reading.wav", {SF_FORMAT_WAV | SF_FORMAT_FLOAT, rate, 1},
                           samples.data(), (long long)samples.size());
}

// Where the last frame of `sign` lies in the output (ms from its start),
// and how many frames of the other sign it holds.
struct Heard {
    double lastMs = -1;
    int foreign = 0;
};
Heard heard(const std::vector<float>& output, float sign) {
    Heard h;
    for (std::size_t i = 0; i < output.size(); ++i) {
        if (output[i] * sign > 0.1f)
            h.lastMs = double(i / 2) / 48;
        if (output[i] * sign < -0.1f)
            ++h.foreign;
    }
    return h;
}

// The clock moves on 250 ms, with a tick while the window's timer runs.
void tickWhileRunning(ReadingLessonFixture& f) {
    if (f.reading().Timer1->isActive())
        f.tick();
    else
        f.test.audio.advance(250);
}

void activate(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

}  // namespace

// With P on, the sound stops at the end of each passage on the sample clock
// (within 20 ms, nothing of the next passage heard) at 0.5×, 1× and 2×; the
// passage stays highlighted until Space plays the next one, and R plays the
// held passage again from its start.
TEST(PracticeKeys, PauseAfterEachPassageStopsOnTheMarkAndHoldsThePassage) {
    ReadingLessonFixture f;
    writeLevels(f.folder.path() + "/data/sound/reading.wav");
    for (const double speed : {0.5, 1.0, 2.0}) {
        SCOPED_TRACE(speed);
        exercises::TViewTxtFrm& w = f.launch();
        activate(w);
        if (!w.Practice->PauseAfter->on())
            QTest::keyClick(&w, Qt::Key_P);
        ASSERT_TRUE(w.Practice->PauseAfter->on());
        w.Practice->Speed->set(speed);
        auto& output = f.test.audio.clock().output;
        f.test.audio.clock().keepOutput = true;

        // Play, then Space, then R: passage 1, passage 2, passage 2 again.
        const struct {
            Qt::Key key;
            int from, mark;
            float sign;
            const char* classes;
        } steps[] = {{Qt::Key_Space, 0, 1000, 1.0f, "instext comm text"},
                     {Qt::Key_Space, 1000, 2000, -1.0f, "text inscomm text"},
                     {Qt::Key_R, 1000, 2000, -1.0f, "text inscomm text"}};
        for (const auto& step : steps) {
            SCOPED_TRACE(step.mark);
            QTest::keyClick(&w, step.key);
            output.clear();
            for (int ms = 0; ms < (step.mark - step.from) / speed + 500; ms += 250)
                tickWhileRunning(f);
            const Heard h = heard(output, step.sign);
            EXPECT_NEAR(h.lastMs, (step.mark - step.from) / speed, 20);
            EXPECT_EQ(h.foreign, 0) << "frames of the next passage";
            EXPECT_EQ(w.MediaPlayer1->Position(), step.mark);
            EXPECT_FALSE(w.Timer1->isActive());
            EXPECT_EQ(f.classes(), step.classes) << "the passage stays highlighted";
        }
        // Held, nothing moves on by itself.
        f.test.audio.advance(3000);
        f.loadPages();
        EXPECT_EQ(w.MediaPlayer1->Position(), 2000);
        EXPECT_EQ(f.classes(), "text inscomm text");
        w.m55Click();
    }
}

// Shift+P: after the hold the lesson goes on by itself once the passage's
// time × 1.2 (as heard at the speed) is over; Stop in the meantime ends it.
TEST(PracticeKeys, RepeatTimeGoesOnAfterThePassageTimesOnePointTwo) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    activate(w);
    QTest::keyClick(&w, Qt::Key_P);
    QTest::keyClick(&w, Qt::Key_P, Qt::ShiftModifier);
    EXPECT_EQ(w.Practice->PauseAfter->wayBack(), PassagePause::WayBack::RepeatTime);
    EXPECT_EQ(w.Practice->Speed->overlay()->accessibleName(),
              "Pause after each passage: on, repeat time");
    for (const double speed : {1.0, 0.5}) {
        SCOPED_TRACE(speed);
        w.Practice->Speed->set(speed);
        w.m33Click();
        w.m11Click();
        for (int ms = 0; ms < 1000 / speed + 250; ms += 250)
            tickWhileRunning(f);
        ASSERT_TRUE(w.Practice->PauseAfter->holding());
        QTimer& repeat = *w.Practice->PauseAfter->repeatTimer();
        EXPECT_TRUE(repeat.isActive());
        EXPECT_EQ(repeat.interval(), std::lround(1000 * 1.2 / speed));
        test::fireTimer(repeat);
        EXPECT_TRUE(w.Timer1->isActive()) << "goes on with passage 2";
        EXPECT_TRUE(w.MediaPlayer1->Playing());
        f.tick();
        EXPECT_EQ(f.classes(), "text inscomm text");
    }
    // Stop during the wait: nothing goes on afterwards.
    for (int ms = 0; ms < 2000; ms += 250)
        tickWhileRunning(f);
    ASSERT_TRUE(w.Practice->PauseAfter->holding());
    w.m33Click();
    EXPECT_FALSE(w.Practice->PauseAfter->repeatTimer()->isActive());
    EXPECT_FALSE(w.MediaPlayer1->Playing());

    // Remembered per course, and off again with P.
    w.m55Click();
    exercises::TViewTxtFrm& again = f.launch();
    EXPECT_TRUE(again.Practice->PauseAfter->on());
    EXPECT_EQ(again.Practice->PauseAfter->wayBack(), PassagePause::WayBack::RepeatTime);
    again.Practice->PauseAfter->set(false);
    again.m11Click();
    for (int ms = 0; ms < 1500; ms += 250)
        f.tick();
    EXPECT_TRUE(again.MediaPlayer1->Playing()) << "plays on past the first mark";
}

// R while playing plays the highlighted passage again from its start mark
// and then carries on.
TEST(PracticeKeys, RepeatPlaysTheHighlightedPassageFromItsStart) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launchAndPlay(4);
    ASSERT_EQ(w.CurrentMarkNumber(), 2);
    activate(w);
    QTest::keyClick(&w, Qt::Key_R);
    EXPECT_EQ(w.MediaPlayer1->Position(), 1000);
    f.tick(100);
    EXPECT_EQ(f.classes(), "text inscomm text");
    EXPECT_EQ(w.MediaPlayer1->Position(), 1100);
    for (int i = 0; i < 5; ++i)
        f.tick();
    EXPECT_EQ(w.CurrentMarkNumber(), 3) << "carries on as before";
}

// Ctrl+] and Ctrl+[ move every highlight change by exactly the offset, kept
// within ±1000 ms and per course; Ctrl+Backspace resets it.
TEST(PracticeKeys, TheSyncOffsetMovesEachHighlightChangeByExactlyTheOffset) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    activate(w);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&w, Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(w.Practice->Sync->ms(), 40);
    EXPECT_EQ(w.Practice->Speed->overlay()->accessibleName(), "Sync +40 ms");
    // The overlay sits on the skin's bar, never over the page.
    const QRect page(w.CppWebBrowser1->mapTo(&w, QPoint(0, 0)), w.CppWebBrowser1->size());
    EXPECT_FALSE(w.Practice->Speed->overlay()->geometry().intersects(page));
    QTest::keyClick(&w, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(w.Practice->Sync->ms(), 0);

    for (const int offset : {40, 0, -250, 1000}) {
        SCOPED_TRACE(offset);
        w.Practice->Sync->set(offset);
        w.m33Click();
        w.m11Click();
        // Passage 1 ends at 1000 ms and is passed 500 ms before: at 500 + offset.
        for (const int mark : {1000, 2000}) {
            const int at = mark - 500 + offset - w.MediaPlayer1->Position();
            f.tick(at);
            EXPECT_EQ(w.CurrentMarkNumber(), mark / 1000) << "not yet at " << mark;
            f.tick(1);
            EXPECT_EQ(w.CurrentMarkNumber(), mark / 1000 + 1);
        }
    }
    w.Practice->Sync->set(-5000);
    EXPECT_EQ(w.Practice->Sync->ms(), -1000);
    w.m55Click();
    EXPECT_EQ(f.launch().Practice->Sync->ms(), -1000) << "remembered for the course";
}

// Ctrl+Plus, Ctrl+= and Ctrl+Minus step the page size by 10 % within 50 to
// 300 %, Ctrl+0 brings it back; the window keeps its size and the course
// keeps the choice.
TEST(PracticeKeys, TextSizeScalesThePageOnlyAndIsKeptPerCourse) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& w = f.launch();
    activate(w);
    const QSize size = w.size();
    const struct {
        Qt::Key key;
        int percent;
    } presses[] = {{Qt::Key_Plus, 110}, {Qt::Key_Equal, 120}, {Qt::Key_Minus, 110},
                   {Qt::Key_0, 100},    {Qt::Key_Minus, 90},  {Qt::Key_Equal, 100}};
    for (const auto& press : presses) {
        QTest::keyClick(&w, press.key, Qt::ControlModifier);
        EXPECT_EQ(w.Practice->Zoom->percent(), press.percent);
        EXPECT_DOUBLE_EQ(w.CppWebBrowser1->Zoom(), press.percent / 100.0);
    }
    w.Practice->Zoom->set(1000);
    EXPECT_EQ(w.Practice->Zoom->percent(), 300);
    w.Practice->Zoom->set(10);
    EXPECT_EQ(w.Practice->Zoom->percent(), 50);
    EXPECT_EQ(w.Practice->Speed->overlay()->accessibleName(), "Text 50 %");
    EXPECT_EQ(w.size(), size);
    w.Practice->Zoom->set(150);
    w.m55Click();
    EXPECT_DOUBLE_EQ(f.launch().CppWebBrowser1->Zoom(), 1.5) << "remembered for the course";
}

// The description pages (main window and page viewer) take the course's one
// page size with the lesson pages: a change in any window applies to all of
// them, shows in that window's overlay, leaves the skin's size alone and is
// kept for the course.
TEST(PracticeKeys, DescriptionPagesShareTheCoursesTextSize) {
    ReadingLessonFixture f;
    exercises::TViewTxtFrm& lesson = f.launch();
    mainwindow::TMainFrm& main = *f.windows->MainFrm;
    exercises::TViewFrm& viewer = *f.windows->ViewFrm;
    const QSize mainSize = main.size();
    const QSize viewerSize = viewer.size();
    const auto press = [&](QWidget& window, platform::NoticeOverlay& overlay, Qt::Key key,
                           int percent) {
        SCOPED_TRACE(window.objectName().toStdString() + " " + std::to_string(percent));
        window.show();
        // The native window is made anew at each show, once the last is gone.
        QCoreApplication::processEvents();
        activate(window);
        QTest::keyClick(&window == &main ? static_cast<QWidget*>(main.TreeView1) : &window, key,
                        Qt::ControlModifier);
        EXPECT_EQ(overlay.accessibleName(), QStringLiteral("Text %1 %").arg(percent));
        EXPECT_TRUE(overlay.isVisible());
        for (platform::TCppWebBrowser* page :
             {main.CppWebBrowser1, viewer.Browser, lesson.CppWebBrowser1})
            EXPECT_DOUBLE_EQ(page->Zoom(), percent / 100.0);
    };
    press(lesson, *lesson.Practice->Speed->overlay(), Qt::Key_Plus, 110);
    lesson.m55Click();
    press(main, *main.Notices, Qt::Key_Plus, 120);
    press(main, *main.Notices, Qt::Key_Minus, 110);
    press(viewer, *viewer.Notices, Qt::Key_Minus, 100);
    press(viewer, *viewer.Notices, Qt::Key_Minus, 90);
    EXPECT_EQ(viewer.size(), viewerSize);
    viewer.m11Click();
    press(main, *main.Notices, Qt::Key_0, 100);
    press(main, *main.Notices, Qt::Key_Minus, 90);
    EXPECT_EQ(main.size(), mainSize);
    EXPECT_DOUBLE_EQ(f.start().CppWebBrowser1->Zoom(), 0.9) << "remembered for the course";
}
