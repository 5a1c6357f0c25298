#include "platform/Error.h"
#include "platform/StringList.h"
#include "platform/files/CourseFiles.h"
#include "support/ErrorOf.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lectern::platform;
using lectern::test::TempDir;

TEST(StringList, EveryLineBreakKindEndsALineAndALastLineWithoutBreakCounts) {
    EXPECT_EQ(StringList::splitLines(u"a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(StringList::splitLines(u"a\n\nb\n"), QStringList({"a", "", "b"}));
    EXPECT_EQ(StringList::splitLines(u"\r\n"), QStringList({""}));
    EXPECT_EQ(StringList::splitLines(u"\n\r"), QStringList({"", ""}));
    EXPECT_TRUE(StringList::splitLines(u"").isEmpty());
}

TEST(StringList, ReadingPastTheEndNamesTheIndex) {
    StringList list(QStringList{"a"});
    EXPECT_EQ(list[0], "a");
    EXPECT_EQ(lectern::test::errorOf([&] { list.Strings(3); }), "List index out of bounds (3)");
    EXPECT_THROW(list.Strings(-1), Error);
}

TEST(StringList, LoadStopsAtNulAndSaveWritesCrLf) {
    TempDir dir;
    CourseFiles files;
    dir.write("in.txt", QByteArray("one\r\ntwo\0three\n", 15));
    StringList list;
    list.Add("old");
    list.LoadFromFile(files, dir.path() + "\\in.txt");
    EXPECT_EQ(list.lines(), QStringList({"one", "two"}));

    list.SaveToFile(files, dir.path() + "\\out.txt");
    QFile out(dir.path() + "/out.txt");
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), QByteArray("one\r\ntwo\r\n"));
}

TEST(StringList, AMissingFileNamesItsNativePath) {
    TempDir dir;
    CourseFiles files;
    StringList list;
    EXPECT_EQ(lectern::test::errorOf(
                  [&] { list.LoadFromFile(files, dir.path() + "\\data\\missing.txt"); }),
              "Cannot open file " + dir.path() + "/data/missing.txt");
}

TEST(StringList, AFileOverItsLineBudgetIsRefusedAndTheListKeptAsItWas) {
    TempDir dir;
    CourseFiles files;
    // Three lines of at most four bytes; lines end as splitLines ends them.
    const LineBudget budget{3, 4};
    const struct {
        QByteArray bytes;
        QString reason;  // empty: the file is read
    } cases[] = {
        {"a\r\nb\nc", ""},
        {"a\r\nb\nc\r\n", ""},
        {"abcd\rb\rc", ""},
        {QByteArray("ab\0cdefgh\n\n\n\n", 13), ""},
        {"a\r\nb\nc\n\n", "it has more than 3 lines"},
        {"a\rb\rc\rd", "it has more than 3 lines"},
        {"\n\n\n\n", "it has more than 3 lines"},
        {"abcd\r\nabcde", "line 2 is longer than"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        dir.write("in.txt", c.bytes);
        StringList list(QStringList{"old"});
        const QString error = lectern::test::errorOf([&] {
            list.LoadFromFile(files, dir.path() + "\\in.txt", SafeFile::listLimit, budget);
        });
        if (c.reason.isEmpty()) {
            EXPECT_EQ(error, "(no error)");
            EXPECT_LE(list.Count(), 3);
        } else {
            EXPECT_TRUE(error.startsWith("Cannot open file " + dir.path() + "/in.txt: " + c.reason))
                << error.toStdString();
            EXPECT_EQ(list.lines(), QStringList{"old"});
        }
    }
}
