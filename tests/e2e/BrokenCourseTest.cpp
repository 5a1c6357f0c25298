// The real program on broken copies of the demo course: whatever is broken,
// it starts, shows its errors, runs what it still can and ends with status 0
// when its windows are closed.
#include "e2e/DemoCourse.h"
#include "e2e/Desktop.h"
#include "support/BrokenCourses.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>

using namespace lectern::test;
using namespace std::chrono_literals;

namespace {

constexpr int RunLessonButton = 14;
constexpr int PlayButton = 34;

bool isBox(const QString& window) {
    const QString name = Desktop::windowName(window);
    return name == "Lectern" || name == QString::fromUtf8("Ошибка!") || name == "Results";
}

// Presses OK on every box the player shows until none has come for `quiet`.
void answerBoxes(PlayerProcess& player, Desktop::Milliseconds quiet,
                 Desktop::Milliseconds limit = 60s) {
    QElapsedTimer clock, sinceBox;
    clock.start();
    sinceBox.start();
    while (player.running() && clock.elapsed() < limit.count()) {
        for (const QString& window : Desktop::windowsOf(player.pid())) {
            if (!isBox(window))
                continue;
            Desktop::click(Desktop::geometry(window).topLeft() + QPoint(20, 20));
            Desktop::key("Return");
            sinceBox.restart();
        }
        if (sinceBox.elapsed() > quiet.count())
            return;
        Desktop::pause(200ms);
    }
}

// The player's largest window that is not a box.
QString largestWindow(PlayerProcess& player, const QString& besides = QString()) {
    QString largest;
    int area = -1;
    for (const QString& window : Desktop::windowsOf(player.pid())) {
        if (window == besides || isBox(window))
            continue;
        const QRect r = Desktop::geometry(window);
        if (r.width() * r.height() > area) {
            area = r.width() * r.height();
            largest = window;
        }
    }
    return largest;
}

void runNarratedLesson(PlayerProcess& player, const DemoCourse& course, const QString& main) {
    const QRect frame = Desktop::geometry(main);
    Desktop::click(course.treeRow(frame, 0));
    Desktop::key("Right");
    Desktop::click(course.treeRow(frame, NarratedLessonNode));
    Desktop::click(course.topBarButton(frame, RunLessonButton));
    answerBoxes(player, 2s);
    const QString lesson = largestWindow(player, main);
    if (lesson.isEmpty())
        return;  // the lesson could not open; its error was answered
    Desktop::click(course.bottomBarButton(Desktop::geometry(lesson), PlayButton));
    answerBoxes(player, 4s);
    Desktop::closeWindow(lesson);
    answerBoxes(player, 1s);
}

void runBrokenCourse(const BrokenCourse& broken) {
    DemoCourse course;
    broken.breakIt(course.path());
    PlayerProcess player(course.path());
    // A box raised behind the splash waits while the splash's ten seconds pass.
    Desktop::pause(broken.splash ? 12s : 1s);
    answerBoxes(player, 2s);
    const QString main = largestWindow(player);
    ASSERT_FALSE(main.isEmpty()) << "the main window opens";
    const QRect screen =
        Desktop::geometry(Desktop::run("xdotool", {"search", "--maxdepth", "0", "--name", ".*"}));
    EXPECT_TRUE(screen.isEmpty() || screen.contains(Desktop::geometry(main)))
        << "the main window lies on the screen";
    if (broken.narratedLesson)
        runNarratedLesson(player, course, main);
    Desktop::closeWindow(main);
    answerBoxes(player, 1s, 20s);
    EXPECT_EQ(player.waitForExit(20s), 0) << "closing the main window ends the program";
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
