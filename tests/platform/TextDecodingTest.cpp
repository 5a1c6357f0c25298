#include "platform/files/TextDecoding.h"

#include <gtest/gtest.h>

using lectern::platform::TextDecoding;

TEST(TextDecoding, Utf8IsReadAsUtf8WithoutItsByteOrderMark) {
    TextDecoding decoding;
    EXPECT_EQ(decoding.decode("\xEF\xBB\xBF\xD0\x9A\xD1\x83\xD1\x80\xD1\x81"),
              QString::fromUtf8("Курс"));
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

TEST(TextDecoding, AFileMixingUtf8AndLegacyLinesIsReadLineByLine) {
    TextDecoding cyrillic("CP1251");
    TextDecoding::Report report;
    const QString text =
        cyrillic.decode("\xCA\xF3\xF0\xF1\r\n\xD0\x9A\xD1\x83\xD1\x80\xD1\x81\nplain\r", &report);
    EXPECT_EQ(text, QString::fromUtf8("Курс\r\nКурс\nplain\r"));
    EXPECT_EQ(report.form, TextDecoding::Report::Mixed);
    EXPECT_EQ(report.firstLegacyLine, 1);
    EXPECT_EQ(report.firstUtf8Line, 2);
}

TEST(TextDecoding, TheReportNamesLinesWithBytesUndefinedInTheCodePage) {
    TextDecoding cyrillic("CP1251");
    TextDecoding::Report report;
    const QString text = cyrillic.decode("ok\r\n\x98\xFF\r\n\xCA\r\n", &report);
    EXPECT_EQ(text, QString::fromUtf8("ok\r\n\uFFFDя\r\nК\r\n"));
    EXPECT_EQ(report.form, TextDecoding::Report::Legacy);
    EXPECT_EQ(report.undefinedByteLines, QList<int>({2}));

    cyrillic.decode("plain\r\n", &report);
    EXPECT_EQ(report.form, TextDecoding::Report::Ascii);
}

TEST(TextDecoding, TheDetectorsAnswerIsKeptToTheWindowsCodePages) {
    EXPECT_EQ(TextDecoding::windowsCodePageFor("WINDOWS-1251"), "CP1251");
    EXPECT_EQ(TextDecoding::windowsCodePageFor("IBM866"), "CP1251") << "same script";
    EXPECT_EQ(TextDecoding::windowsCodePageFor("ISO-8859-7"), "CP1253");
    EXPECT_EQ(TextDecoding::windowsCodePageFor("ISO-8859-1"), "CP1252");
    EXPECT_EQ(TextDecoding::windowsCodePageFor("SHIFT_JIS"), "CP1252") << "not single-byte";
    EXPECT_EQ(TextDecoding::windowsCodePageFor(""), "CP1252") << "unsure";
    EXPECT_EQ(TextDecoding::detectLegacyCodePage("plain text"), "CP1252");
    EXPECT_EQ(TextDecoding::detectLegacyCodePage("Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1\n"),
              "CP1250");
    EXPECT_EQ(TextDecoding::displayName("CP1251"), "windows-1251");
}
