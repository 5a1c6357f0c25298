#include "catalogue/Layout.h"
#include "platform/Error.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

using lectern::catalogue::Layout;
using lectern::platform::Error;
using lectern::platform::StringList;

TEST(Layout, ReadsLinesAsIntegersAndButtonBlocksInTheirOrder) {
    const StringList lines(QStringList{"800", "600", "x", "30", "40", "5", "6"});
    const Layout layout(lines);
    EXPECT_EQ(layout[0], 800);
    const Layout::Bounds bounds = layout.button(3);
    EXPECT_EQ(bounds.width, 30);
    EXPECT_EQ(bounds.height, 40);
    EXPECT_EQ(bounds.top, 5);
    EXPECT_EQ(bounds.left, 6);
}

TEST(Layout, ABadOrMissingLineFailsWhereItIsRead) {
    const StringList lines(QStringList{"800", "6OO"});
    const Layout layout(lines);
    EXPECT_THROW(layout[1], Error);
    EXPECT_EQ(lectern::test::errorOf([&] { layout[59]; }), "List index out of bounds (59)");
}
