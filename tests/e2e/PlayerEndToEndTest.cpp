// The real program on the demo course, driven with the mouse and keyboard
// on an X display, as a learner would.
#include "e2e/DemoCourse.h"
#include "e2e/Desktop.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QColor>
#include <QScopeGuard>

#include <algorithm>
#include <random>

using namespace lectern::test;
using namespace std::chrono_literals;

namespace {

// The demo pages' highlight of the current passage.
constexpr QRgb Highlight = 0xffe79a;

// Where the highlight colour covers the picture, within `area`.
QRect highlightBounds(const QImage& shot, QRect area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((shot.pixel(x, y) & 0xffffff) == Highlight)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// How much a region differs between two pictures, 0 for identical.
double difference(const QImage& a, const QImage& b, QRect area) {
    double total = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            total += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                     std::abs(p.blue() - q.blue());
        }
    return total / (area.width() * area.height());
}

// The main window's buttons: first lines of their blocks in the geometry file.
constexpr int RunLessonButton = 14;
constexpr int ExitButton = 26;
// The exercise windows' buttons.
constexpr int PlayButton = 34;
constexpr int ExerciseExitButton = 52;

}  // namespace

TEST(EndToEnd, TheDemoCourseOpensOnItsTreeAndExitEndsTheProgramWithStatusZero) {
    DemoCourse course;
    PlayerProcess player(course.path());
    const QString window = Desktop::waitForWindow(Desktop::exactly(course.title()), 60s);
    ASSERT_FALSE(window.isEmpty()) << "no main window captioned " << course.title().toStdString();
    EXPECT_EQ(Desktop::windowName(window), course.title());
    const QRect frame = Desktop::geometry(window);
    EXPECT_EQ(frame.size(), course.windowSize());

    // The first node is selected (drawn in the selection colour), the tree
    // collapsed: the second row is the second chapter, not a lesson.
    Desktop::pause(2s);
    const QImage shot = Desktop::screenshot();
    const QPoint first = course.treeRow(frame, 0);
    const QPoint second = course.treeRow(frame, 1);
    EXPECT_NE(shot.pixel(first.x() + 150, first.y()), shot.pixel(second.x() + 150, second.y()));
    shot.save("main-window.png");

    Desktop::click(course.topBarButton(frame, ExitButton));
    EXPECT_EQ(player.waitForExit(10s), 0);
}

// Standard error of a clean start holds only what the learner can act on:
// the player's own lines ("lectern: no sound ..." where there is no sound
// device) and the engine's word that its sandbox was turned off by hand.
// Not the sound libraries' device scan, nor the engine's set-up report.
TEST(EndToEnd, ACleanStartPrintsOnlyLinesTheLearnerCanActOn) {
    TempDir runtime;  // as a desktop session gives one
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    DemoCourse course;
    PlayerProcess player(course.path(), PlayerProcess::KeepErrors{});
    qunsetenv("XDG_RUNTIME_DIR");
    const QString window = Desktop::waitForWindow(Desktop::exactly(course.title()), 60s);
    ASSERT_FALSE(window.isEmpty());
    // The sound system opens aside once the main window shows.
    Desktop::pause(4s);
    Desktop::click(course.topBarButton(Desktop::geometry(window), ExitButton));
    EXPECT_EQ(player.waitForExit(10s), 0);

    const QStringList lines = player.errorOutput().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith("lectern: ") || line == "Sandboxing disabled by user.")
            << line.toStdString();
    EXPECT_LE(lines.filter("lectern: no sound").size(), 1);
}

TEST(EndToEnd, AnEmptyFolderShowsTheErrorBoxThenTheEmptyMainWindow) {
    TempDir empty;
    PlayerProcess player(empty.path());
    const QString box = Desktop::waitForWindow("^Lectern$", 60s);
    ASSERT_FALSE(box.isEmpty());
    // Focus the box by clicking its icon, then copy its text as a learner can.
    Desktop::click(Desktop::geometry(box).topLeft() + QPoint(20, 20));
    Desktop::key("ctrl+c");
    EXPECT_TRUE(Desktop::clipboard().contains("Cannot open file " + empty.path() + "/main.dsg."))
        << Desktop::clipboard().toStdString();
    Desktop::key("Return");
    Desktop::pause(2s);
    EXPECT_FALSE(Desktop::windowVisible("^Lectern$")) << "the box is gone";
    const QString main = Desktop::waitForWindow(".*", 10s);
    EXPECT_FALSE(main.isEmpty()) << "the main window opens all the same";
}

TEST(EndToEnd, ANarratedLessonHighlightsPassageAfterPassageThenReturnsToTheFirst) {
    DemoCourse course;
    PlayerProcess player(course.path());
    const QString mainWindow = Desktop::waitForWindow(Desktop::exactly(course.title()), 60s);
    ASSERT_FALSE(mainWindow.isEmpty());
    const QRect main = Desktop::geometry(mainWindow);

    // Open the first chapter and pick its first lesson, "The Sun".
    Desktop::click(course.treeRow(main, 0));
    Desktop::key("Right");
    Desktop::click(course.treeRow(main, 1));

    // "Run lesson" lights under the mouse and goes out on the bar.
    const QPoint run = course.topBarButton(main, RunLessonButton);
    const QRect runArea(run - QPoint(20, 10), QSize(40, 20));
    const QImage before = Desktop::screenshot();
    Desktop::moveMouse(run);
    const QImage lit = Desktop::screenshot();
    Desktop::moveMouse(main.topLeft() + QPoint(main.width() / 2 - 100, 5));
    const QImage out = Desktop::screenshot();
    EXPECT_GT(difference(before, lit, runArea), 20) << "the lit picture shows";
    EXPECT_LT(difference(before, out, runArea), 2) << "and goes out on the bar";

    Desktop::click(run);
    const QString readingWindow = Desktop::waitForWindow("The Sun - narrated reading", 20s);
    ASSERT_FALSE(readingWindow.isEmpty());
    const QRect reading = Desktop::geometry(readingWindow);
    const QRect page = reading.adjusted(60, 90, -60, -130);
    Desktop::pause(3s);
    const QRect atStart = highlightBounds(Desktop::screenshot(), page);
    ASSERT_TRUE(atStart.isValid()) << "passage 1 is highlighted when the page has loaded";

    Desktop::click(course.bottomBarButton(reading, PlayButton));
    QList<QRect> highlights;
    for (int i = 0; i < 7; ++i) {
        Desktop::pause(4s);
        const QImage shot = Desktop::screenshot();
        highlights.append(highlightBounds(shot, page));
        shot.save(QStringLiteral("reading-%1.png").arg(i));
    }
    // Successive shots show the highlight on successive passages.
    QList<QRect> distinct;
    for (const QRect& r : highlights)
        if (r.isValid() && (distinct.isEmpty() || distinct.back() != r))
            distinct.append(r);
    EXPECT_GE(distinct.size(), 4) << "the highlight moved through the text";
    // At the end of the narration passage 1 is current again.
    Desktop::pause(4s);
    EXPECT_EQ(highlightBounds(Desktop::screenshot(), page), atStart);

    Desktop::click(course.bottomBarButton(reading, ExerciseExitButton));
    Desktop::pause(1s);
    EXPECT_FALSE(Desktop::windowVisible("The Sun - narrated reading"));
    EXPECT_TRUE(Desktop::windowVisible(Desktop::exactly(course.title())))
        << "back at the main window";
}

TEST(EndToEnd, EveryLessonTypeOpensItsSkinnedWindowAndExitReturns) {
    DemoCourse course;
    PlayerProcess player(course.path());
    const QString mainWindow = Desktop::waitForWindow(Desktop::exactly(course.title()), 60s);
    ASSERT_FALSE(mainWindow.isEmpty());
    const QRect main = Desktop::geometry(mainWindow);

    // Open every chapter, so that the rows shown are the nodes in index
    // order: chapters at 0, 7 and 10.
    Desktop::click(course.treeRow(main, 0));
    for (const int chapter : {0, 7, 10}) {
        Desktop::key("Home");
        for (int i = 0; i < chapter; ++i)
            Desktop::key("Down");
        Desktop::key("Right");
    }
    // Lessons by node: narrated reading, text and translation, recordings
    // (types 3, 11, 8), the quiz, the written tests, sorting.
    for (const int node : {1, 2, 3, 4, 6, 8, 9, 11, 12, 13, 14}) {
        SCOPED_TRACE(node);
        Desktop::click(course.treeRow(main, node));
        Desktop::click(course.topBarButton(main, RunLessonButton));
        const QString window = Desktop::waitForWindow(Desktop::exactly(course.caption(node)), 20s);
        ASSERT_FALSE(window.isEmpty()) << course.caption(node).toStdString();
        Desktop::pause(2s);
        Desktop::screenshot().save(QStringLiteral("lesson-%1.png").arg(node));
        Desktop::click(course.bottomBarButton(Desktop::geometry(window), ExerciseExitButton));
        Desktop::pause(1s);
        EXPECT_FALSE(Desktop::windowVisible(Desktop::exactly(course.caption(node))));
    }
    EXPECT_TRUE(Desktop::windowVisible(Desktop::exactly(course.title())));
}

TEST(EndToEnd, ACourseNamedFromAnotherFolderRunsByKeyboardAlone) {
    DemoCourse course;
    PlayerProcess player(QStringLiteral("/"), {course.path()});
    const QString mainWindow = Desktop::waitForWindow(Desktop::exactly(course.title()), 60s);
    ASSERT_FALSE(mainWindow.isEmpty()) << "the course named on the command line opens";
    Desktop::pause(2s);

    // The tree has the focus: open the first chapter, go down to "The Sun".
    Desktop::key("Right");
    Desktop::key("Down");
    Desktop::key("Return");
    const QString readingWindow = Desktop::waitForWindow("The Sun - narrated reading", 20s);
    ASSERT_FALSE(readingWindow.isEmpty()) << "Return runs the lesson";
    const QRect page = Desktop::geometry(readingWindow).adjusted(60, 90, -60, -130);
    Desktop::pause(3s);
    const QRect atStart = highlightBounds(Desktop::screenshot(), page);
    ASSERT_TRUE(atStart.isValid());

    Desktop::key("space");
    Desktop::pause(6s);
    const QRect playing = highlightBounds(Desktop::screenshot(), page);
    EXPECT_NE(playing, atStart) << "Space plays";
    Desktop::key("space");
    Desktop::pause(1s);
    const QRect paused = highlightBounds(Desktop::screenshot(), page);
    Desktop::pause(4s);
    EXPECT_EQ(highlightBounds(Desktop::screenshot(), page), paused)
        << "Space pauses and the highlight holds";
    Desktop::key("Escape");
    Desktop::pause(1s);
    EXPECT_FALSE(Desktop::windowVisible("The Sun - narrated reading")) << "Escape closes";

    // The sorting lesson is two nodes above the last, in the last chapter.
    constexpr int SortingNode = 12;
    for (const char* key : {"End", "Right", "End", "Up", "Up", "Return"})
        Desktop::key(key);
    const QString sortingWindow =
        Desktop::waitForWindow(Desktop::exactly(course.caption(SortingNode)), 20s);
    ASSERT_FALSE(sortingWindow.isEmpty());
    const QRect sorting = Desktop::geometry(sortingWindow);
    const int third = sorting.width() / 3;
    // The middle third below the countdown, where the box's first row is.
    const QRect middleBox(sorting.left() + third + 10, sorting.top() + 60, third - 20,
                          sorting.height() / 2);
    Desktop::pause(2s);
    Desktop::key("Down");
    const QImage before = Desktop::screenshot();
    Desktop::key("ctrl+Right");
    Desktop::pause(1s);
    const QImage after = Desktop::screenshot();
    after.save("sorting-keyboard.png");
    EXPECT_GT(difference(before, after, middleBox), 0.2) << "an item arrived in the middle box";
    Desktop::key("Escape");
    Desktop::pause(1s);
    EXPECT_FALSE(Desktop::windowVisible(Desktop::exactly(course.caption(SortingNode))));
}

// Played to a passage chosen at random, killed with SIGKILL right after the
// highlight reached it, started again: Ctrl+Return opens the same lesson at
// that passage, waiting, and Space plays on from it. Each start but the
// first checks the run before and starts the next. LECTERN_RESUME_RUNS sets
// the number of runs (3).
TEST(EndToEnd, CtrlReturnOpensTheLastLessonAtThePassageReachedBeforeAKill) {
    DemoCourse course;
    TempDir settings;  // the learner's settings, the player's own for this test
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    const auto restore = qScopeGuard([] { qunsetenv("XDG_CONFIG_HOME"); });
    const int runCount = qEnvironmentVariableIsSet("LECTERN_RESUME_RUNS")
                             ? std::max(1, qEnvironmentVariableIntValue("LECTERN_RESUME_RUNS"))
                             : 3;
    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // The Sun has six passages. A run passes one to three of them (at 2×),
    // never past the last; from the last, the end of the text brings
    // passage 1 back.
    constexpr int Passages = 6;
    int passage = 1;

    QRect reached;
    int passed = 0;
    for (int run = 0; run <= runCount; ++run) {
        SCOPED_TRACE(run);
        PlayerProcess player(course.path());
        const QString mainWindow = Desktop::waitForWindow(Desktop::exactly(course.title()), 60s);
        ASSERT_FALSE(mainWindow.isEmpty());
        Desktop::pause(2s);
        if (run == 0) {
            // The tree has the focus: the first chapter's first lesson.
            for (const char* key : {"Right", "Down", "Return"})
                Desktop::key(key);
        } else {
            Desktop::key("ctrl+Return");
        }
        const QString readingWindow = Desktop::waitForWindow("The Sun - narrated reading", 20s);
        ASSERT_FALSE(readingWindow.isEmpty()) << "the last lesson opens";
        const QRect page = Desktop::geometry(readingWindow).adjusted(60, 90, -60, -130);
        const auto bounds = [&page] {
            return highlightBounds(Desktop::grab(page), QRect(QPoint(), page.size()));
        };
        // The highlight once it has held for 100 ms: a page being drawn or
        // laid out can be caught half way.
        const auto settled = [&bounds] {
            QRect last;
            int held = 0;
            for (int i = 0; i < 400 && held < 5; ++i) {
                const QRect now = bounds();
                held = now.isValid() && now == last ? held + 1 : 0;
                last = now;
                Desktop::pause(20ms);
            }
            return held == 5 ? last : QRect();
        };
        QRect shown = settled();
        if (run > 0) {
            EXPECT_EQ(shown, reached) << "at passage " << passage << ", " << passed << " on";
            Desktop::pause(1s);
            EXPECT_EQ(bounds(), reached) << "and waits there";
        }
        if (run == runCount)
            break;
        if (run == 0)
            for (int i = 0; i < 10; ++i)
                Desktop::keyTo(readingWindow, "bracketright");
        // To the window itself: with no window manager, the focus may not
        // have followed the window yet.
        Desktop::keyTo(readingWindow, "space");
        passed = passage == Passages ? 1
                                     : std::uniform_int_distribution<int>(
                                           1, std::min(3, Passages - passage))(random);
        passage = passage + passed > Passages ? 1 : passage + passed;
        for (int change = 0; change < passed; ++change) {
            const QRect before = shown;
            for (int i = 0; i < 50 && shown == before; ++i)
                shown = settled();
            ASSERT_NE(shown, before) << "Space plays on, to passage " << passage;
        }
        player.kill();
        reached = shown;
    }
}
