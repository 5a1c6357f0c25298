// The real program at fractional screen scales: the web page meets the skin's
// pictures with no seam between them.
#include "e2e/DemoCourse.h"
#include "e2e/Desktop.h"

#include <gtest/gtest.h>

using namespace lectern::test;
using namespace std::chrono_literals;

namespace {

// The columns of a window's middle band that are black from top to bottom:
// nothing the demo skin or pages draw, but what an unpainted strip shows.
QList<int> blackColumns(const QImage& shot, QRect window) {
    QList<int> columns;
    const int top = window.top() + window.height() * 3 / 10;
    const int bottom = window.top() + window.height() * 6 / 10;
    for (int x = window.left(); x <= window.right(); ++x) {
        int y = top;
        while (y <= bottom && (shot.pixel(x, y) & 0xffffff) == 0)
            ++y;
        if (y > bottom)
            columns.append(x - window.left());
    }
    return columns;
}

}  // namespace

// One start a scale: the main window, then the reading lesson it runs.
TEST(EndToEnd, AtFractionalScalesThePageMeetsTheSkinWithNoSeam) {
    for (const char* scale : {"1.25", "1.75"}) {
        SCOPED_TRACE(scale);
        DemoCourse course;
        course.keepOnlyNode(1);
        const QString lesson = course.caption(1);
        qputenv("QT_SCALE_FACTOR", scale);
        PlayerProcess player(course.path());
        qunsetenv("QT_SCALE_FACTOR");
        const QString main = Desktop::waitForWindow(Desktop::exactly(course.title()), 60s);
        ASSERT_FALSE(main.isEmpty());
        Desktop::pause(3s);  // the description page loads
        QImage shot = Desktop::screenshot();
        shot.save(QStringLiteral("seam-%1-main.png").arg(scale));
        EXPECT_EQ(blackColumns(shot, Desktop::geometry(main)), QList<int>()) << "main window";

        Desktop::keyTo(main, "Return");
        const QString reading = Desktop::waitForWindow(Desktop::exactly(lesson), 20s);
        ASSERT_FALSE(reading.isEmpty()) << lesson.toStdString();
        Desktop::pause(3s);
        shot = Desktop::screenshot();
        shot.save(QStringLiteral("seam-%1-lesson.png").arg(scale));
        EXPECT_EQ(blackColumns(shot, Desktop::geometry(reading)), QList<int>()) << "lesson";
        player.kill();
    }
}
