#include "check/CourseCheck.h"
#include "check/WindowsCourse.h"
#include "exercises/markup/PageMarkup.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace lectern;
using lectern::test::MainWindowFixture;

namespace {

// Lets the headless browsers load what they were sent to.
void loadPages() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

QString text(const platform::Variant& document, const QString& id) {
    return exercises::FindElement(document, id).get("innerText").toString();
}

struct WindowsCourse : MainWindowFixture {
    WindowsCourse() : MainWindowFixture("basic") { test::makeWindowsStyle(folder); }
};

}  // namespace

TEST(WindowsCourse, StartsWithItsCyrillicCaptionsAndFindsEveryFile) {
    WindowsCourse f;
    mainwindow::TMainFrm& main = f.start();
    loadPages();

    EXPECT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(f.test.files.decoding().legacyCodePage(), "CP1251");
    EXPECT_EQ(main.Caption(), QString::fromUtf8("Курс русского языка"));
    const catalogue::LessonTree& tree = main.TreeModel->tree();
    ASSERT_EQ(tree.size(), 5) << "CR LF, LF and CR all end lines";
    EXPECT_EQ(tree.node(1).caption, QString::fromUtf8("Первое чтение"));
    EXPECT_EQ(tree.node(3).caption, QString::fromUtf8("Вторая глава"));
    EXPECT_EQ(tree.node(4).parent, 3);
    EXPECT_EQ(main.CaptionList()[1], QString::fromUtf8("Чтение: Ёлка"));
    EXPECT_EQ(f.windows->ViewFrm->Caption(), QString::fromUtf8("Введение"));

    // The pages named in another letter case load all the same.
    const platform::Variant description = main.CppWebBrowser1->Document();
    ASSERT_FALSE(description.isEmptyOrNull());
    EXPECT_EQ(main.CppWebBrowser1->LocationURL(), main.AppFolder() + "\\data\\descr\\CHAPTER1.htm");
    EXPECT_TRUE(f.windows->ViewFrm->Browser->Document().isObject());
    EXPECT_TRUE(f.test.files.exists(main.AppFolder() + "\\help\\help.htm"));

    // The description whose file name is in Windows-1251 bytes opens too.
    main.TreeView1->expandAll();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(4));
    main.TreeView1Click();
    loadPages();
    EXPECT_EQ(text(main.CppWebBrowser1->Document(), "sorting"), "sort");
}

TEST(WindowsCourse, ARunLessonFindsItsPageMarksAndSoundAndDecodesThePage) {
    WindowsCourse f;
    mainwindow::TMainFrm& main = f.start();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
    main.m22Click();
    loadPages();

    EXPECT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    exercises::TViewTxtFrm& reading = *f.windows->ViewTxtFrm;
    EXPECT_EQ(reading.Caption(), QString::fromUtf8("Чтение: Ёлка"));
    EXPECT_EQ(reading.Marks().lines(), QStringList({"1000", "2000", "3000"}));
    EXPECT_TRUE(reading.MediaPlayer1->IsOpen());
    EXPECT_EQ(reading.TrackBar1->maximum(), 2);
    const platform::Variant page = reading.CppWebBrowser1->Document();
    ASSERT_TRUE(page.isObject());
    EXPECT_EQ(text(page, "t1"), QString::fromUtf8("Один."));
    EXPECT_EQ(exercises::FindElement(page, "t1").get("className").toString(), "instext")
        << "the first passage is shown once the page has loaded";
}

TEST(WindowsCourse, FilesThePlayerWritesLandInTheFoldersThatExist) {
    WindowsCourse f;
    mainwindow::TMainFrm& main = f.start();
    platform::CourseFiles& files = f.test.files;
    const QString root = f.folder.path();
    EXPECT_EQ(main.TempWavName(), main.AppFolder() + "\\data\\temp1.wav");

    EXPECT_TRUE(files.copyFile(main.AppFolder() + "\\data\\empty.wav", main.TempWavName()));
    platform::StringList(QStringList{"700"})
        .SaveToFile(files, main.AppFolder() + "\\data\\umarks.txt");
    EXPECT_TRUE(QFile::exists(root + "/Data/temp1.wav"));
    EXPECT_TRUE(QFile::exists(root + "/Data/umarks.txt"));
    EXPECT_FALSE(QFile::exists(root + "/data")) << "no second data folder";

    platform::StringList marks;
    marks.LoadFromFile(files, main.AppFolder() + "\\data\\umarks.txt");
    EXPECT_EQ(marks.lines(), QStringList({"700"}));
}

TEST(WindowsCourse, TheCheckerFindsNoProblemAndWarnsOfEveryNameInAnotherCase) {
    WindowsCourse f;
    platform::CourseFiles files;
    const check::CheckReport report = check::CourseCheck(files).run();
    QStringList problems, warnings;
    for (const check::Finding& found : report.findings)
        (found.severity == check::Finding::Problem ? problems : warnings)
            .append(found.file + ": " + found.message);
    // What the basic course lacks anyway: skin, splash, lesson help, test page, sorting file.
    const QRegularExpression lacking(
        "^(gdata/|wind.mtp: splash|main.mtp: help page|text.mtp: (lesson page "
        "data/text/test.htm|sorting file))");
    problems.removeIf([&](const QString& p) { return lacking.match(p).hasMatch(); });
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    EXPECT_EQ(report.codePage, "windows-1251");
    EXPECT_EQ(report.tree.at(1).caption, QString::fromUtf8("Первое чтение"));
    // Each name once, and a folder once however many files it holds.
    warnings.replaceInStrings(QRegularExpression(": the letter case differs.*"), "");
    warnings.replaceInStrings(QRegularExpression(": the name is kept in windows-1251 bytes.*"),
                              ": kept in windows-1251 bytes");
    warnings.sort();
    EXPECT_EQ(warnings,
              QStringList({
                  "descr.mtp: description page data/descr/CHAPTER1.htm: found only as "
                  "Data/descr/Chapter1.htm",
                  "descr.mtp: description page data/descr/Reading.htm: found only as "
                  "Data/descr/reading.htm",
                  "descr.mtp: description page data/descr/chapter2.HTM: found only as "
                  "Data/descr/chapter2.htm",
                  QString::fromUtf8("descr.mtp: description page data/descr/Сортировка.htm: kept "
                                    "in windows-1251 bytes"),
                  "help/help.htm: help page: folder help found only as HELP",
                  "main.mrb: found only as \"MAIN.MRB\"",
                  "sound.mtp: lesson sound data/sound/READING.wav: found only as "
                  "Data/sound/Reading.WAV",
                  "text.mtp: lesson page data/text/Lessons/READING.htm: folder data/text found "
                  "only as Data/Text",
                  "text.mtp: lesson page data/text/Lessons/READING.htm: found only as "
                  "Data/Text/Lessons/reading.htm",
                  "wind.mtp: introduction page data/descr/Intro.HTM: found only as "
                  "Data/descr/INTRO.htm",
                  "wind.mtp: splash picture data/descr/splash.jpg: folder data found only as Data",
                  "zagol.mtp: found only as \"Zagol.MTP\"",
                  "zmarks.mtp: marks file data/marks/Reading.TXT: folder data/marks found only as "
                  "Data/MARKS",
                  "zmarks.mtp: marks file data/marks/Reading.TXT: found only as "
                  "Data/MARKS/reading.txt",
              }));
}

TEST(WindowsCourse, BadNamesAndBadBytesNeitherStopNorHangTheStartUp) {
    MainWindowFixture f("basic");
    // UTF-8 and Windows-1251 lines in one file, and a byte no code page knows.
    f.folder.write("zagol.mtp", "Chapter\r\n\xD0\xA7\xD1\x82\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5\r\n" +
                                    test::cp1251(QString::fromUtf8("Тест")) +
                                    "\r\nBad \x98\r\nSorting\r\n");
    // Descriptions through a link loop, a file taken for a folder, a way out
    // of the course, and a name two files share but for case.
    f.folder.write("descr.mtp",
                   "TWINS.htm\r\nloop\\page.htm\r\nintro.htm\\page.htm\r\n"
                   "..\\..\\..\\page.htm\r\nsort.htm\r\n");
    f.folder.write("data/descr/twins.HTM", "<html><body id='lower'></body></html>");
    f.folder.write("data/descr/Twins.htm", "<html><body id='upper'></body></html>");
    ASSERT_EQ(
        ::symlink("loop", QFile::encodeName(f.folder.path() + "/data/descr/loop").constData()), 0);
    mainwindow::TMainFrm& main = f.start();
    loadPages();
    EXPECT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(main.CaptionList().lines(),
              QStringList({"Chapter", QString::fromUtf8("Чтение"), QString::fromUtf8("Тест"),
                           QString::fromUtf8("Bad \uFFFD"), "Sorting"}));
    EXPECT_EQ(f.test.files.resolve(main.AppFolder() + "\\data\\descr\\TWINS.htm"),
              f.folder.path() + "/data/descr/Twins.htm")
        << "the first in sorted order, every time";

    main.TreeView1->expandAll();
    for (int node = 1; node < 4; ++node) {
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(node));
        main.TreeView1Click();
        loadPages();
    }
    EXPECT_TRUE(f.test.dialogs.boxes.empty()) << "a page that is not there is the browser's";
}
