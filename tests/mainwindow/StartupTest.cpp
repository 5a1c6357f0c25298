#include "app/Intro/TIntroFrm.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/browser/TCppWebBrowser.h"
#include "support/BrokenCourses.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <functional>

using namespace lectern;
using lectern::test::MainWindowFixture;

namespace {

QStringList skinnedWidths(app::WindowSet& w) {
    QStringList widths;
    for (platform::TForm* window : std::initializer_list<platform::TForm*>{
             w.MainFrm, w.ViewFrm, w.MultiFrm, w.frmSort, w.ViewTxtFrm, w.WorkTxtFrm})
        widths.append(QStringLiteral("%1x%2").arg(window->Width()).arg(window->Height()));
    return widths;
}

}  // namespace

TEST(Startup, ReadsTheCatalogueBuildsTheTreeAndOpensTheFirstDescription) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    const QString app = f.folder.path();

    EXPECT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(main.AppFolder(), app);
    EXPECT_EQ(main.SoundRoot(), app + "\\");
    EXPECT_EQ(main.TempWavName(), app + "\\data\\temp1.wav");
    EXPECT_EQ(main.Caption(), "Basic course");
    EXPECT_EQ(main.TypeList().lines(), QStringList({"0", "1", "5", "0", "9"}));
    EXPECT_EQ(main.WindowSettings().Count(), 9);
    EXPECT_EQ(main.CppWebBrowser1->LocationURL(), app + "\\data\\descr\\chapter1.htm");
    EXPECT_EQ(f.windows->ViewFrm->Browser->LocationURL(), app + "\\data\\descr\\intro.htm");
    EXPECT_EQ(f.windows->ViewFrm->Caption(), "Introduction");
    EXPECT_TRUE(f.test.modal.shown.empty()) << "neither splash nor introduction is switched on";

    EXPECT_EQ(skinnedWidths(*f.windows), QStringList(6, "806x600"));
    EXPECT_EQ(main.width(), 800) << "the client area is the geometry's width";
    EXPECT_EQ(main.height(), 575) << "and its height less the caption bar";
    EXPECT_EQ(f.windows->WorkTxtFrm->CppWebBrowser1->width(), 806 / 2 - 6);
    EXPECT_EQ(f.windows->IntroFrm->width(), 500);
    EXPECT_EQ(f.windows->IntroFrm->height(), 300);
}

TEST(Startup, TheTreeIsCollapsedWithTheFirstNodeSelectedAndShowingImageZero) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    EXPECT_EQ(main.TreeModel->tree().size(), 5);
    EXPECT_EQ(main.SelectedIndex(), 0);
    EXPECT_FALSE(main.TreeView1->isExpanded(main.TreeModel->indexOfNode(0)));
    EXPECT_EQ(main.TreeModel->imageIndex(0), 0);
    for (int node = 1; node < 5; ++node)
        EXPECT_EQ(main.TreeModel->imageIndex(node), 1) << node;
}

TEST(Startup, TheTemporaryRecordingIsTheFirstFreeNumber) {
    MainWindowFixture f("basic");
    f.folder.write("data/temp1.wav", "x");
    f.folder.write("data/temp3.wav", "x");
    EXPECT_EQ(f.start().TempWavName(), f.folder.path() + "\\data\\temp2.wav");
}

TEST(Startup, AnEmptyFolderFailsOnTheGeometryFileAndStillShowsTheMainWindow) {
    MainWindowFixture f("");
    mainwindow::TMainFrm& main = f.start();
    EXPECT_EQ(f.test.dialogs.errors(),
              QStringList({"Cannot open file " + f.folder.path() + "/main.dsg."}));
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.TreeModel->tree().empty());
    EXPECT_EQ(main.Width(), 1006) << "the design size stays";
}

TEST(Startup, AMissingCaptionFileLeavesTheListsAfterItEmptyAndNoWindowSized) {
    MainWindowFixture f("basic");
    f.folder.remove("zagol.mtp");
    mainwindow::TMainFrm& main = f.start();
    EXPECT_EQ(f.test.dialogs.errors(),
              QStringList({"Cannot open file " + f.folder.path() + "/zagol.mtp."}));
    EXPECT_EQ(main.TimeList().Count(), 5) << "read before the failure";
    EXPECT_EQ(main.CaptionList().Count(), 0);
    EXPECT_EQ(main.MarksList().Count(), 0);
    EXPECT_EQ(main.WindowSettings().Count(), 0);
    EXPECT_TRUE(main.TreeModel->tree().empty());
    EXPECT_EQ(main.Width(), 1006);
    EXPECT_TRUE(main.Caption().isEmpty());
}

TEST(Startup, ABadSplashSwitchStopsAfterTheTreeIsBuilt) {
    MainWindowFixture f("basic");
    f.folder.writeLines("wind.mtp", {"Basic course", "splash.jpg", "yes", "Introduction",
                                     "intro.htm", "0", "About", "about.htm", "1"});
    mainwindow::TMainFrm& main = f.start();
    EXPECT_EQ(f.test.dialogs.errors(), QStringList({"'yes' is not a valid boolean value."}));
    EXPECT_EQ(main.TreeModel->tree().size(), 5);
    EXPECT_EQ(main.Width(), 806) << "sized before the failure";
    EXPECT_TRUE(main.Caption().isEmpty()) << "the caption comes after the splash";
    EXPECT_TRUE(main.CppWebBrowser1->LocationURL().isEmpty());
}

TEST(Startup, ALineTwoLevelsTooDeepKeepsTheNodesBeforeIt) {
    MainWindowFixture f("basic");
    f.folder.writeLines("main.mrb",
                        {"Getting started", "\tFirst reading", "\t\t\tToo deep", "Last"});
    mainwindow::TMainFrm& main = f.start();
    EXPECT_EQ(f.test.dialogs.errors(), QStringList({"Invalid level (3) for item \"Too deep\""}));
    EXPECT_EQ(main.TreeModel->tree().size(), 2);
    EXPECT_TRUE(main.Caption().isEmpty());
}

TEST(Startup, ANonNumericGeometryLineNamesTheLine) {
    MainWindowFixture f("basic");
    QStringList dsg(60, "10");
    dsg[1] = "six hundred";
    f.folder.writeLines("main.dsg", dsg);
    mainwindow::TMainFrm& main = f.start();
    EXPECT_EQ(f.test.dialogs.errors(),
              QStringList({"'six hundred' is not a valid integer value."}));
    EXPECT_EQ(main.TreeModel->tree().size(), 0) << "sizing comes before the tree";
}

TEST(Startup, APerNodeFileShorterThanTheTreeFailsOnlyWhereALineIsRead) {
    MainWindowFixture f("basic");
    f.folder.writeLines("descr.mtp", {});
    f.start();
    EXPECT_EQ(f.test.dialogs.errors(), QStringList({"List index out of bounds (0)"}));
}

TEST(Startup, ANulByteEndsAFileAndA64KilobyteLineIsJustALongCaption) {
    MainWindowFixture f("basic");
    QByteArray tree = "Getting started\r\n\tFirst reading\r\n\tA test\r\n";
    tree += "Second chapter\0ignored\r\n"_qba;
    f.folder.write("main.mrb", tree + QByteArray(1 << 20, 'x'));
    mainwindow::TMainFrm& main = f.start();
    EXPECT_EQ(main.TreeModel->tree().size(), 4);
    EXPECT_EQ(main.TreeModel->tree().node(3).caption, "Second chapter");

    MainWindowFixture g("basic");
    g.folder.write("main.mrb", "A\r\n" + QByteArray(64 * 1024, 'y'));
    mainwindow::TMainFrm& second = g.start();
    EXPECT_EQ(second.TreeModel->tree().node(1).caption.size(), 64 * 1024);
    // The tree shows its start: laying out a long line on every paint would
    // hold the program for seconds, its closing too.
    const QString shown =
        second.TreeModel->data(second.TreeModel->indexOfNode(1), Qt::DisplayRole).toString();
    EXPECT_LE(shown.size(), 1001);
    EXPECT_TRUE(shown.startsWith(QString(1000, 'y')));
}

TEST(Startup, CatalogueFilesOverTheBudgetAreRefusedNamingTheFile) {
    const QByteArray line = "\tnode\r\n";
    const struct {
        const char* file;
        QByteArray bytes;
        QString error;  // %1: the course folder; empty when the course starts
        int nodes;
    } cases[] = {
        {"main.mrb", "top\r\n" + line.repeated(99'999), "", 100'000},
        {"main.mrb", "top\r\n" + line.repeated(100'000),
         "Cannot open file main.mrb: it has more than 100000 lines.", 0},
        {"main.mrb", "top\r\n\t" + QByteArray(64 * 1024, 'x'),
         "Cannot open file main.mrb: line 2 is longer than 64 KB.", 0},
        {"zagol.mtp", "a\r\n" + QByteArray(64 * 1024 + 1, 'x'),
         "Cannot open file %1/zagol.mtp: line 2 is longer than 64 KB.", 0},
        {"sound.mtp", "\r\n"_qba.repeated(100'001),
         "Cannot open file %1/sound.mtp: it has more than 100000 lines.", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1 of %2 bytes").arg(c.file).arg(c.bytes.size()).toStdString());
        MainWindowFixture f("basic");
        f.folder.write(c.file, c.bytes);
        mainwindow::TMainFrm& main = f.start();
        EXPECT_EQ(f.test.dialogs.errors(),
                  c.error.isEmpty() ? QStringList() : QStringList{c.error.arg(f.folder.path())});
        EXPECT_EQ(main.TreeModel->tree().size(), c.nodes);
        EXPECT_TRUE(main.isVisible());
    }
}

TEST(Startup, TheCourseTitleReachesTheWindowsCutAndWithoutControlCharacters) {
    MainWindowFixture f("basic");
    f.folder.writeLines("wind.mtp", {"Title\t" + QString(60'000, 'T'), "splash.jpg", "0",
                                     "Intro\x1b", "intro.htm", "0", "About", "about.htm", "0"});
    mainwindow::TMainFrm& main = f.start();
    ASSERT_EQ(f.test.dialogs.errors(), QStringList());
    const QString expected = "Title" + QString(251, 'T');
    EXPECT_EQ(main.Caption(), expected);
    EXPECT_EQ(f.windows->IntroFrm->Caption(), expected);
    EXPECT_EQ(f.windows->ViewFrm->Caption(), "Intro");
}

namespace {

// The generated demo course, or empty when the build made none.
QString demoCourse() {
    const QString path = qEnvironmentVariable("LECTERN_DEMO_COURSE");
    return QFileInfo::exists(path + "/main.dsg") ? path : QString();
}

// Replaces one line of a catalogue file of the course copy.
void replaceLine(const test::CourseFolder& folder, const QString& file, int line,
                 const QString& text) {
    QFile in(folder.path() + "/" + file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(in.readAll()).split("\r\n");
    in.close();
    lines[line] = text;
    folder.write(file, lines.join("\r\n").toUtf8());
}

}  // namespace

TEST(DemoStartup, TheDemoCourseStartsCleanWithItsTitleAndSplash) {
    if (demoCourse().isEmpty())
        GTEST_SKIP() << "no demo course built";
    MainWindowFixture f(demoCourse());
    mainwindow::TMainFrm& main = f.start();
    EXPECT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(main.Caption(), main.WindowSettings()[0]);
    EXPECT_EQ(main.TreeModel->tree().size(), main.TypeList().Count());
    EXPECT_EQ(main.SelectedIndex(), 0);
    ASSERT_EQ(f.test.modal.shown.size(), 1u) << "the splash, switched on by the course";
    EXPECT_EQ(f.test.modal.shown[0], static_cast<QWidget*>(f.windows->IntroFrm));
}

TEST(DemoStartup, BrokenCopiesStopWhereTheirFaultIs) {
    if (demoCourse().isEmpty())
        GTEST_SKIP() << "no demo course built";
    {
        MainWindowFixture f(demoCourse());
        f.folder.remove("zagol.mtp");
        mainwindow::TMainFrm& main = f.start();
        EXPECT_EQ(f.test.dialogs.errors(),
                  QStringList({"Cannot open file " + f.folder.path() + "/zagol.mtp."}));
        EXPECT_EQ(main.MarksList().Count(), 0);
        EXPECT_EQ(main.WindowSettings().Count(), 0);
        EXPECT_TRUE(main.TreeModel->tree().empty());
    }
    {
        MainWindowFixture f(demoCourse());
        replaceLine(f.folder, "wind.mtp", 2, "yes");
        mainwindow::TMainFrm& main = f.start();
        EXPECT_EQ(f.test.dialogs.errors(), QStringList({"'yes' is not a valid boolean value."}));
        EXPECT_EQ(main.TreeModel->tree().size(), main.TypeList().Count());
        EXPECT_TRUE(f.test.modal.shown.empty());
        EXPECT_TRUE(main.Caption().isEmpty());
    }
    {
        MainWindowFixture f(demoCourse());
        replaceLine(f.folder, "main.mrb", 2, "\t\t\tToo deep");
        mainwindow::TMainFrm& main = f.start();
        EXPECT_EQ(f.test.dialogs.errors(),
                  QStringList({"Invalid level (3) for item \"Too deep\""}));
        EXPECT_EQ(main.TreeModel->tree().size(), 2);
    }
}

TEST(Startup, AChainTenThousandLevelsDeepStartsAndClosesWithoutExhaustingTheStack) {
    MainWindowFixture f("basic");
    QByteArray tree;
    for (int i = 0; i < 10000; ++i)
        tree += QByteArray(i, '\t') + "n\r\n";
    f.folder.write("main.mrb", tree);
    mainwindow::TMainFrm& main = f.start();
    EXPECT_EQ(main.TreeModel->tree().size(), 10000);
    main.TreeView1->expand(main.TreeModel->indexOfNode(0));
    main.Close();
    f.windows.reset();
}

TEST(Startup, SpecialCatalogueFilesAreRefusedAtOnceAndTheMainWindowStillOpens) {
    const struct {
        const char* file;
        std::function<void(const QString& path)> make;
        QString message;  // %1: the course folder
    } cases[] = {
        {"main.dsg", [](const QString& p) { ASSERT_EQ(::mkfifo(QFile::encodeName(p), 0600), 0); },
         "Cannot open file %1/main.dsg: it is a FIFO, not a regular file."},
        {"main.mrb", [](const QString& p) { ASSERT_TRUE(QFile::link("/dev/zero", p)); },
         "Cannot open file main.mrb: it is a device, not a regular file."},
    };
    for (const auto& test : cases) {
        MainWindowFixture f("basic");
        const QString path = f.folder.path() + "/" + test.file;
        QFile::remove(path);
        test.make(path);
        // A FIFO would block the start-up for good, /dev/zero fill the memory.
        mainwindow::TMainFrm& main = f.start();
        EXPECT_EQ(f.test.dialogs.errors(), QStringList({test.message.arg(f.folder.path())}));
        EXPECT_TRUE(main.isVisible()) << test.file;
    }
}

TEST(DemoStartup, EveryBrokenCopyStartsRunsItsNarratedLessonAndCloses) {
    if (demoCourse().isEmpty())
        GTEST_SKIP() << "no demo course built";
    for (const test::BrokenCourse& broken : test::brokenCourses()) {
        SCOPED_TRACE(broken.name.toStdString());
        MainWindowFixture f(demoCourse());
        broken.breakIt(f.folder.path());
        mainwindow::TMainFrm& main = f.start();
        if (broken.narratedLesson) {
            main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(test::NarratedLessonNode));
            main.guarded([&] { main.m22Click(); });
            QCoreApplication::processEvents();
            exercises::TViewTxtFrm& reading = *f.windows->ViewTxtFrm;
            if (reading.isVisible()) {
                reading.guarded([&] { reading.m11Click(); });
                for (int tick = 0; tick < 40; ++tick) {
                    f.test.audio.advance(exercises::TViewTxtFrm::TickInterval);
                    reading.guarded([&] { reading.Timer1Timer(); });
                }
                reading.guarded([&] { reading.m33Click(); });
                reading.close();
            }
        }
        main.Close();
        EXPECT_FALSE(main.isVisible());
        f.windows.reset();
    }
}
