#include "platform/files/CourseFiles.h"
#include "support/ErrorOf.h"

#include "platform/Error.h"
#include "platform/StringList.h"
#include "support/Cp1251.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include <gtest/gtest.h>

using lectern::platform::CourseFiles;
using lectern::platform::Error;
using lectern::platform::StringList;
using lectern::platform::TextDecoding;
using lectern::test::TempDir;

namespace {

// A scratch course folder at `app`, read and written through `files`.
class CourseFilesTest : public ::testing::Test {
  protected:
    TempDir dir;
    const QString app = dir.path();
    CourseFiles files;
};

}  // namespace

TEST_F(CourseFilesTest, WindowsPathsReachFilesWhoseLetterCaseDiffers) {
    dir.write("Data/Marks/Lesson1.TXT", "100\r\n200\n300\r400");

    EXPECT_TRUE(files.exists(app + "\\data\\marks\\lesson1.txt"));
    StringList marks;
    marks.LoadFromFile(files, app + "\\DATA\\marks\\LESSON1.txt");
    EXPECT_EQ(marks.lines(), QStringList({"100", "200", "300", "400"}));

    EXPECT_EQ(lectern::test::errorOf([&] { files.readBytes(app + "\\data\\marks\\lesson2.txt"); }),
              "Cannot open file " + app + "/data/marks/lesson2.txt")
        << "named as the course wrote it";
}

TEST_F(CourseFilesTest, WrittenFilesLandInTheFolderThatExistsAndAreFoundAtOnce) {
    dir.write("DATA/empty.wav", "RIFF");

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

TEST_F(CourseFilesTest, TheCodePageIsChosenOnceFromTheWholeCatalogue) {
    dir.write("main.mrb", lectern::test::cp1251(
                              QString::fromUtf8("Глава первая\r\n\tЧтение текста\r\n\tТест\r\n")));
    dir.write("zagol.mtp",
              lectern::test::cp1251(QString::fromUtf8("Глава первая\nЧтение текста\r\nТест\r\n")));
    dir.write("wind.mtp", "Course\r\n");
    const QByteArray chosen = files.detectCodePage(
        {app + "\\main.mrb", app + "\\zagol.mtp", app + "\\wind.mtp", app + "\\missing.mtp"});
    EXPECT_EQ(chosen, "CP1251");
    EXPECT_EQ(files.readText(app + "\\ZAGOL.MTP"),
              QString::fromUtf8("Глава первая\nЧтение текста\r\nТест\r\n"));
}

TEST_F(CourseFilesTest, AnAsciiOrUtf8CatalogueKeepsWindows1252) {
    dir.write("main.mrb", "Chapter\r\n\tReading\r\n");
    dir.write("zagol.mtp", "\xEF\xBB\xBF\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0\r\n");
    EXPECT_EQ(files.detectCodePage({app + "\\main.mrb", app + "\\zagol.mtp"}), "CP1252");
    EXPECT_EQ(files.readText(app + "\\zagol.mtp"), QString::fromUtf8("Глава\r\n"));
}

// A course unpacked from a zip made on Windows: names in Windows-1251 bytes.
TEST(CourseFiles, NamesKeptInTheCoursesCodePageAreFoundForReadingAndWriting) {
    TempDir dir;
    const QByteArray root = QFile::encodeName(dir.path());
    const QByteArray folder = root + '/' + lectern::test::cp1251(QString::fromUtf8("Уроки"));
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray pagePath =
        folder + '/' + lectern::test::cp1251(QString::fromUtf8("Глава.htm"));
    std::FILE* page = std::fopen(pagePath.constData(), "w");
    ASSERT_NE(page, nullptr);
    std::fputs("page", page);
    std::fclose(page);
    const QString app = dir.path();
    CourseFiles files(TextDecoding("CP1251"));
    const struct {
        const char* written;
        bool caseDiffers;
    } cases[] = {{"Уроки\\Глава.htm", false}, {"УРОКИ\\глава.HTM", true}};
    for (const auto& c : cases) {
        const QString path = app + '\\' + QString::fromUtf8(c.written);
        const auto found = files.lookup(path);
        EXPECT_TRUE(found.found()) << c.written;
        EXPECT_TRUE(found.legacyName) << c.written;
        EXPECT_EQ(found.caseDiffers, c.caseDiffers) << c.written;
        EXPECT_EQ(files.readBytes(path), "page") << c.written;
    }

    // A file written into such a folder lands in it, under a UTF-8 name.
    files.writeBytes(app + QString::fromUtf8("\\уроки\\Ответ.txt"), "answer");
    EXPECT_EQ(::access((folder + "/Ответ.txt").constData(), F_OK), 0);
    EXPECT_EQ(files.readBytes(app + QString::fromUtf8("\\Уроки\\Ответ.txt")), "answer");

    // Read in another code page, the bytes are other letters.
    CourseFiles western(TextDecoding("CP1252"));
    EXPECT_FALSE(western.exists(app + QString::fromUtf8("\\Уроки\\Глава.htm")));
}

TEST_F(CourseFilesTest, ACourseFolderWithoutAPathIsRefusedNeverLeftUnconfined) {
    EXPECT_THROW(files.setCourseFolder(QString()), std::logic_error);
    files.setCourseFolder(app);
    EXPECT_EQ(files.courseFolder(), QFileInfo(app).canonicalFilePath());
}
