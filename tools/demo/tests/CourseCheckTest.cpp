#include "demo/CourseCheck.h"

#include <gtest/gtest.h>

namespace lectern::demo {
namespace {

TEST(DemoCourseCheck, SplitsLinesAtEveryKindOfBreak) {
    EXPECT_EQ(CourseCheck::splitLines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(CourseCheck::splitLines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(CourseCheck::splitLines("a\r\n\r\nb\r\n"), QStringList({"a", "", "b"}));
    EXPECT_TRUE(CourseCheck::splitLines("").isEmpty());
}

TEST(DemoCourseCheck, SortingFileWhoseGroupsCanAllBeFilledCountsNoError) {
    // The blank row that closes the offered items is the one the second
    // group expects.
    EXPECT_EQ(CourseCheck::sortingErrorsWhenSortedRight({"a", "b", "", "a", "", "b"}), 0);
    EXPECT_EQ(CourseCheck::sortingErrorsWhenSortedRight({"A", "b", "", "a", "", "B"}), 0);
}

TEST(DemoCourseCheck, SortingFileAskingForMoreThanOffersCountsTheShortfall) {
    // A closing empty line after the third group wants a second blank row.
    EXPECT_EQ(CourseCheck::sortingErrorsWhenSortedRight({"a", "b", "", "a", "", "b", ""}), 1);
    // An expected item that is never offered.
    EXPECT_EQ(CourseCheck::sortingErrorsWhenSortedRight({"a", "", "a", "", "c"}), 1);
}

TEST(DemoCourseCheck, MissingCourseIsReported) {
    const QStringList problems = CourseCheck("/nonexistent/course").problems();
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_EQ(problems.first(), "cannot open main.mrb");
}

}  // namespace
}  // namespace lectern::demo
