#include "catalogue/LessonTree.h"

#include <gtest/gtest.h>

using lectern::catalogue::LessonTree;

namespace {

// "caption@parent" for each node, in index order.
QStringList shape(const LessonTree& tree) {
    QStringList result;
    for (int i = 0; i < tree.size(); ++i)
        result.append(QStringLiteral("%1@%2").arg(tree.node(i).caption).arg(tree.node(i).parent));
    return result;
}

}  // namespace

TEST(LessonTree, EveryTabOrSpaceCountsOneLevel) {
    EXPECT_EQ(LessonTree::levelOf("\t   x"), 4);
    EXPECT_EQ(LessonTree::levelOf(" \t"), 2);
    EXPECT_EQ(LessonTree::levelOf("x\t"), 0);
}

TEST(LessonTree, ChildrenSiblingsAndReturnsToShallowerLevels) {
    QString error;
    const LessonTree tree =
        LessonTree::fromLines({"A", "\tB", "\t\tC", "D", "\tE", "\tF", "G"}, &error);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(shape(tree), QStringList({"A@-1", "B@0", "C@1", "D@-1", "E@3", "F@3", "G@-1"}));
    EXPECT_EQ(tree.topLevel(), std::vector<int>({0, 3, 6}));
    EXPECT_EQ(tree.node(5).row, 1);
}

TEST(LessonTree, AReturnTwoLevelsUpBecomesASiblingOfTheRightAncestor) {
    const LessonTree tree = LessonTree::fromLines({"A", "\tB", "\t\tC", "\t\t\tD", "\tE"});
    EXPECT_EQ(shape(tree), QStringList({"A@-1", "B@0", "C@1", "D@2", "E@0"}));
}

TEST(LessonTree, TheFirstLineIsTopLevelWhateverItsIndentation) {
    const LessonTree tree = LessonTree::fromLines({"\t\tA", "\tB"});
    EXPECT_EQ(shape(tree), QStringList({"A@-1", "B@0"}));
}

TEST(LessonTree, CaptionsKeepTrailingBlanksAndEmptyLinesMakeTopLevelNodes) {
    const LessonTree tree = LessonTree::fromLines({"A  ", "", " x"});
    EXPECT_EQ(shape(tree), QStringList({"A  @-1", "@-1", "x@1"}));
}

TEST(LessonTree, ALineTwoLevelsTooDeepStopsLoadingThere) {
    QString error;
    const LessonTree tree = LessonTree::fromLines({"A", "\t\tB", "C"}, &error);
    EXPECT_EQ(error, "Invalid level (2) for item \"B\"");
    EXPECT_EQ(shape(tree), QStringList({"A@-1"}));
}

TEST(LessonTree, AChainTenThousandLevelsDeepBuildsWithoutRecursion) {
    QStringList lines;
    for (int i = 0; i < 10000; ++i)
        lines.append(QString(i, QLatin1Char('\t')) + "n");
    QString error;
    const LessonTree tree = LessonTree::fromLines(lines, &error);
    EXPECT_TRUE(error.isEmpty());
    ASSERT_EQ(tree.size(), 10000);
    EXPECT_EQ(tree.node(9999).depth, 9999);
    EXPECT_EQ(tree.node(9999).parent, 9998);
}
