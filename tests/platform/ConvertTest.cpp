#include "platform/Convert.h"
#include "platform/Error.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

using namespace lectern::platform;

using lectern::test::errorOf;

TEST(StrToInt, ReadsDecimalWithLeadingSpacesAndSign) {
    EXPECT_EQ(StrToInt("800"), 800);
    EXPECT_EQ(StrToInt("  -12"), -12);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
}

TEST(StrToInt, RejectsEverythingElseWithTheLineInTheMessage) {
    for (const char* bad : {"", " ", "12 ", "1x", "x", "- 1", "1.5", "2147483648", "\t5", "--1"})
        EXPECT_EQ(errorOf([&] { StrToInt(bad); }),
                  QStringLiteral("'%1' is not a valid integer value").arg(bad))
            << bad;
}

TEST(StrToBool, NumbersAreTrueUnlessZero) {
    EXPECT_TRUE(StrToBool("1"));
    EXPECT_TRUE(StrToBool("-1"));
    EXPECT_TRUE(StrToBool("2.5"));
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_FALSE(StrToBool(" 0"));
}

TEST(StrToBool, WordsInAnyCase) {
    EXPECT_TRUE(StrToBool("TRUE"));
    EXPECT_TRUE(StrToBool("true"));
    EXPECT_FALSE(StrToBool("false"));
    EXPECT_FALSE(StrToBool("False"));
}

TEST(StrToBool, AnythingElseIsAnError) {
    for (const char* bad : {"yes", "", "1 ", " true", "on"})
        EXPECT_EQ(errorOf([&] { StrToBool(bad); }),
                  QStringLiteral("'%1' is not a valid boolean value").arg(bad))
            << bad;
}
