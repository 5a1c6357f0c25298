// The real program on broken copies of the demo course: whatever is broken,
// it starts, shows its errors, runs what it still can and ends with status 0
// when its windows are closed.
#include "e2e/DemoCourse.h"
#include "e2e/Desktop.h"
#include "support/BrokenCourses.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <functional>

using namespace lectern::test;
using namespace std::chrono_literals;

namespace {

constexpr int PlayButton = 34;

// The player's message boxes are modal and carry one of these captions; its
// lessons and splash are modal too, its main window is not.
bool isBox(const QString& window) {
    const QString name = Desktop::windowName(window);
    return (name == "Lectern" || name == QString::fromUtf8("Ошибка!") || name == "Results") &&
           Desktop::modal(window);
}

// Watches the player's windows, answering every box with OK as it comes,
// until `done` holds or `limit` passes; whether `done` came.
bool watch(PlayerProcess& player, Desktop::Milliseconds limit, const std::function<bool()>& done,
           bool answer = true) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < limit.count()) {
        if (done())
            return true;
        if (!player.running())
            return false;
        for (const QString& window : Desktop::windowsOf(player.pid())) {
            if (!answer || !isBox(window))
                continue;
            const QRect box = Desktop::geometry(window);
            EXPECT_TRUE(Desktop::screenArea().contains(box))
                << "a box lies on the screen: " << box.x() << "," << box.y() << " " << box.width()
                << "x" << box.height();
            Desktop::keyTo(window, "Return");
        }
        Desktop::pause(100ms);
    }
    return done();
}

// Answers boxes until none has come for `quiet`.
void answerBoxes(PlayerProcess& player, Desktop::Milliseconds quiet) {
    QElapsedTimer sinceBox;
    sinceBox.start();
    watch(player, 30s, [&] {
        for (const QString& window : Desktop::windowsOf(player.pid()))
            if (isBox(window))
                sinceBox.restart();
        return sinceBox.elapsed() > quiet.count();
    });
}

// The player's window that is not modal: its main window.
QString mainWindow(PlayerProcess& player) {
    for (const QString& window : Desktop::windowsOf(player.pid()))
        if (!Desktop::modal(window))
            return window;
    return {};
}

// The main window once its native window has settled: it is made anew when
// the first web page shows, and is briefly not on the screen then.
QString settledMainWindow(PlayerProcess& player) {
    QString last, settled;
    QElapsedTimer unchanged;
    unchanged.start();
    watch(player, 30s, [&] {
        const QString main = mainWindow(player);
        if (main.isEmpty() || main != last) {
            last = main;
            unchanged.restart();
            return false;
        }
        if (unchanged.elapsed() < 700 || Desktop::geometry(main).isEmpty())
            return false;
        settled = main;
        return true;
    });
    return settled;
}

// A modal window that is not a box: the lesson.
QString lessonWindow(PlayerProcess& player) {
    for (const QString& window : Desktop::windowsOf(player.pid()))
        if (Desktop::modal(window) && !isBox(window))
            return window;
    return {};
}

// Asks the window `find` names to close until it is gone for a second,
// answering boxes; whether it went. A window's native window can be made
// anew while it shows (its web page's surface), so each request goes to the
// window on the screen then, and one that went nowhere is repeated, as a
// learner clicks again.
bool closeUntilGone(PlayerProcess& player, const std::function<QString()>& find) {
    QElapsedTimer sinceClose, sinceSeen;
    sinceSeen.start();
    return watch(player, 20s, [&] {
        const QString window = find();
        if (window.isEmpty())
            return sinceSeen.elapsed() > 1000 || !player.running();
        sinceSeen.restart();
        if (!sinceClose.isValid() || sinceClose.elapsed() > 2000) {
            Desktop::closeWindow(window);
            sinceClose.start();
        }
        return false;
    });
}

void runNarratedLesson(PlayerProcess& player, const DemoCourse& course, const QString& main,
                       bool playsCleanly) {
    const QRect frame = Desktop::geometry(main);
    Desktop::click(course.treeBranch(frame, 0));
    // A double-click runs it even where a broken skin leaves no buttons.
    Desktop::doubleClick(course.treeRow(frame, NarratedLessonNode));
    // The lesson opens, or its error is answered and nothing more comes.
    QString lesson;
    bool boxSeen = false;
    QElapsedTimer sinceBox;
    sinceBox.start();
    watch(player, 20s, [&] {
        for (const QString& window : Desktop::windowsOf(player.pid()))
            if (isBox(window)) {
                boxSeen = true;
                sinceBox.restart();
            }
        lesson = lessonWindow(player);
        return !lesson.isEmpty() || (boxSeen && sinceBox.elapsed() > 3000);
    });
    EXPECT_TRUE(!lesson.isEmpty() || boxSeen) << "the lesson opens or says why it cannot";
    if (playsCleanly) {
        EXPECT_FALSE(lesson.isEmpty()) << "the lesson opens";
        EXPECT_FALSE(boxSeen) << "without a message";
    }
    const auto noBox = [&] {
        for (const QString& window : Desktop::windowsOf(player.pid()))
            if (playsCleanly && isBox(window)) {
                ADD_FAILURE() << "a message in the lesson: "
                              << Desktop::windowName(window).toStdString();
                return true;
            }
        return false;
    };
    if (!lesson.isEmpty()) {
        // Its page is shown within ten seconds, whatever another page does.
        if (playsCleanly)
            watch(player, 9s, noBox);
        Desktop::click(course.bottomBarButton(Desktop::geometry(lesson), PlayButton));
        // The narration plays a while; the errors of its ticks are answered.
        watch(player, playsCleanly ? 5s : 2s, noBox);
    }
    EXPECT_TRUE(closeUntilGone(player, [&] { return lessonWindow(player); }))
        << "the lesson closes";
}

void runBrokenCourse(const BrokenCourse& broken) {
    DemoCourse course;
    broken.breakIt(course.path());
    QElapsedTimer clock;
    clock.start();
    PlayerProcess player(course.path());
    if (broken.splash) {
        // A learner leaves the splash's box open past its ten seconds: the
        // splash then closes by itself as soon as the box is answered.
        watch(
            player, 11s, [&] { return clock.elapsed() > 11000; }, false);
        EXPECT_TRUE(watch(player, 8s, [&] { return !mainWindow(player).isEmpty(); }))
            << "the splash closes once its box is answered, its ten seconds past";
    }
    QString main;
    ASSERT_TRUE(watch(player, 60s, [&] { return !(main = mainWindow(player)).isEmpty(); }))
        << "the main window opens";
    answerBoxes(player, 500ms);
    main = settledMainWindow(player);
    const QRect frame = Desktop::geometry(main);
    EXPECT_TRUE(Desktop::screenArea().contains(frame))
        << "the main window lies on the screen: " << frame.x() << "," << frame.y() << " "
        << frame.width() << "x" << frame.height();
    if (broken.narratedLesson)
        runNarratedLesson(player, course, main, broken.lessonPlaysCleanly);
    if (!closeUntilGone(player, [&] { return mainWindow(player); }) ||
        !watch(player, 20s, [&] { return !player.running(); })) {
        // What the learner would see, to tell what kept the program.
        Desktop::screenshot().save("broken-course-left-running.png");
        for (const QString& window : Desktop::windowsOf(player.pid()))
            ADD_FAILURE() << "left on the screen: " << Desktop::windowName(window).toStdString()
                          << (Desktop::modal(window) ? " (modal)" : "");
    }
    EXPECT_EQ(player.waitForExit(1s), 0) << "closing the main window ends the program";
}

class BrokenCourseTest : public ::testing::TestWithParam<BrokenCourse> {};

TEST_P(BrokenCourseTest, StartsShowsItsErrorsAndEndsWithStatusZero) {
    runBrokenCourse(GetParam());
}

std::string testName(const ::testing::TestParamInfo<BrokenCourse>& info) {
    std::string name;
    for (const QChar c : info.param.name)
        name += c.isLetterOrNumber() ? char(c.toLatin1()) : '_';
    return name;
}

std::vector<BrokenCourse> catalogueVariants() {
    std::vector<BrokenCourse> set;
    for (const BrokenCourse& c : brokenCourses())
        if (!c.narratedLesson)
            set.push_back(c);
    return set;
}
std::vector<BrokenCourse> lessonVariants() {
    std::vector<BrokenCourse> set;
    for (const BrokenCourse& c : brokenCourses())
        if (c.narratedLesson)
            set.push_back(c);
    return set;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BrokenCourseTest, ::testing::ValuesIn(catalogueVariants()),
                         testName);
INSTANTIATE_TEST_SUITE_P(Lesson, BrokenCourseTest, ::testing::ValuesIn(lessonVariants()), testName);

}  // namespace
