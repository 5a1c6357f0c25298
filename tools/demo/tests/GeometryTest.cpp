#include "demo/Geometry.h"

#include <gtest/gtest.h>

namespace lectern::demo {
namespace {

QRect block(const QList<int>& lines, int first) {
    return QRect(lines[first + 3], lines[first + 2], lines[first], lines[first + 1]);
}

TEST(DemoGeometry, DesignFileHoldsTheWindowBarsEdgesAndSplash) {
    const QList<int> lines = Geometry::designLines();
    ASSERT_EQ(lines.size(), 60);
    EXPECT_EQ(lines[0], 1000);
    EXPECT_EQ(lines[1], 700);
    EXPECT_EQ(QSize(lines[3], lines[4]), QSize(1000, 81));
    EXPECT_EQ(QSize(lines[6], lines[7]), QSize(1000, 84));
    EXPECT_EQ(lines[8], 49);
    EXPECT_EQ(lines[9], 46);
    EXPECT_EQ(QSize(lines[50], lines[51]), QSize(600, 400));
}

TEST(DemoGeometry, EveryButtonLiesInsideItsBar) {
    const QList<int> lines = Geometry::designLines();
    const QRect top(0, 0, lines[3], lines[4]);
    const QRect bottom(0, 0, lines[6], lines[7]);
    for (int first : {10, 14, 18, 22, 26}) {
        EXPECT_TRUE(top.contains(block(lines, first))) << "line " << first;
    }
    for (int first : {30, 34, 38, 42, 46, 52, 56}) {
        EXPECT_TRUE(bottom.contains(block(lines, first))) << "line " << first;
    }
}

TEST(DemoGeometry, ButtonsOfOneBarDoNotOverlap) {
    QList<QRect> exercise = Geometry::exerciseButtons();
    exercise << Geometry::unitButton();
    const QList<QRect> main = Geometry::mainButtons();
    for (const QList<QRect>& bar : {exercise, main}) {
        for (int i = 0; i < bar.size(); ++i) {
            for (int j = i + 1; j < bar.size(); ++j) {
                EXPECT_FALSE(bar[i].intersects(bar[j])) << i << " and " << j;
            }
        }
    }
}

}  // namespace
}  // namespace lectern::demo
