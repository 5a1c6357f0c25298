#include "platform/TextDecoding.h"

#include <gtest/gtest.h>

using lectern::platform::TextDecoding;

TEST(TextDecoding, Utf8IsReadAsUtf8WithoutItsByteOrderMark) {
    TextDecoding decoding;
    EXPECT_EQ(decoding.decode("\xEF\xBB\xBF\xD0\x9A\xD1\x83\xD1\x80\xD1\x81"), QString::fromUtf8("Курс"));
    EXPECT_EQ(decoding.decode("plain"), "plain");
}

TEST(TextDecoding, AnythingElseIsTheLegacyCodePage) {
    TextDecoding western;
    EXPECT_EQ(western.decode("caf\xE9 \x80"), QString::fromUtf8("café €"));
    TextDecoding cyrillic("CP1251");
    EXPECT_EQ(cyrillic.decode("\xCA\xF3\xF0\xF1"), QString::fromUtf8("Курс"));
}

TEST(TextDecoding, BytesUndefinedInTheCodePageBecomeReplacementCharacters) {
    TextDecoding western;
    EXPECT_EQ(western.decode("a\x81z"), QString::fromUtf8("a\uFFFDz"));
}
