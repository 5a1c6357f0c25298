#include "platform/CourseFiles.h"
#include "support/ErrorOf.h"

#include "platform/Error.h"
#include "platform/StringList.h"
#include "support/Cp1251.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

using lectern::platform::CourseFiles;
using lectern::platform::Error;
using lectern::platform::StringList;
using lectern::platform::TextDecoding;
using lectern::test::TempDir;

TEST(CourseFiles, WindowsPathsReachFilesWhoseLetterCaseDiffers) {
    TempDir dir;
    dir.write("Data/Marks/Lesson1.TXT", "100\r\n200\n300\r400");
    CourseFiles files;
    const QString app = dir.path();

    EXPECT_TRUE(files.exists(app + "\\data\\marks\\lesson1.txt"));
    StringList marks;
    marks.LoadFromFile(files, app + "\\DATA\\marks\\LESSON1.txt");
    EXPECT_EQ(marks.lines(), QStringList({"100", "200", "300", "400"}));

    EXPECT_EQ(lectern::test::errorOf([&] { files.readBytes(app + "\\data\\marks\\lesson2.txt"); }),
              "Cannot open file " + app + "/data/marks/lesson2.txt")
        << "named as the course wrote it";
}

TEST(CourseFiles, WrittenFilesLandInTheFolderThatExistsAndAreFoundAtOnce) {
    TempDir dir;
    dir.write("DATA/empty.wav", "RIFF");
    CourseFiles files;
    const QString app = dir.path();

    EXPECT_FALSE(files.exists(app + "\\data\\umarks.txt"));
    StringList marks(QStringList{"700", "1400"});
    marks.SaveToFile(files, app + "\\data\\umarks.txt");
    EXPECT_TRUE(QFile::exists(app + "/DATA/umarks.txt"));
    EXPECT_FALSE(QFile::exists(app + "/data")) << "no second folder beside the real one";
    EXPECT_TRUE(files.exists(app + "\\data\\UMARKS.TXT"));

    EXPECT_TRUE(files.copyFile(app + "\\data\\EMPTY.WAV", app + "\\data\\temp1.wav"));
    EXPECT_TRUE(QFile::exists(app + "/DATA/temp1.wav"));
    EXPECT_TRUE(files.exists(app + "\\data\\temp1.wav"));

    // A file written over keeps the letter case it has on disk.
    dir.write("DATA/UMarks.txt", "1\r\n");
    QFile::remove(app + "/DATA/umarks.txt");
    files.forget(app + "\\data\\umarks.txt");
    marks.SaveToFile(files, app + "\\data\\umarks.txt");
    EXPECT_EQ(QFile(app + "/DATA/UMarks.txt").size(), 11) << "700, 1400 and their line breaks";
}

TEST(CourseFiles, TheCodePageIsChosenOnceFromTheWholeCatalogue) {
    TempDir dir;
    dir.write("main.mrb", lectern::test::cp1251(
                              QString::fromUtf8("Глава первая\r\n\tЧтение текста\r\n\tТест\r\n")));
    dir.write("zagol.mtp",
              lectern::test::cp1251(QString::fromUtf8("Глава первая\nЧтение текста\r\nТест\r\n")));
    dir.write("wind.mtp", "Course\r\n");
    CourseFiles files;
    const QString app = dir.path();
    const QByteArray chosen = files.detectCodePage(
        {app + "\\main.mrb", app + "\\zagol.mtp", app + "\\wind.mtp", app + "\\missing.mtp"});
    EXPECT_EQ(chosen, "CP1251");
    EXPECT_EQ(files.readText(app + "\\ZAGOL.MTP"),
              QString::fromUtf8("Глава первая\nЧтение текста\r\nТест\r\n"));
}

TEST(CourseFiles, AnAsciiOrUtf8CatalogueKeepsWindows1252) {
    TempDir dir;
    dir.write("main.mrb", "Chapter\r\n\tReading\r\n");
    dir.write("zagol.mtp", "\xEF\xBB\xBF\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0\r\n");
    CourseFiles files;
    EXPECT_EQ(files.detectCodePage({dir.path() + "\\main.mrb", dir.path() + "\\zagol.mtp"}),
              "CP1252");
    EXPECT_EQ(files.readText(dir.path() + "\\zagol.mtp"), QString::fromUtf8("Глава\r\n"));
}
