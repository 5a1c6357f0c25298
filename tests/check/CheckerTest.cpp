#include "check/CourseCheck.h"
#include "platform/files/CourseFiles.h"
#include "support/ForkedProcess.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <functional>

using namespace lectern;
using lectern::test::TempDir;
using lectern::test::testDataPath;

namespace {

struct CheckerRun {
    int status = -1;
    QString out;
};

// The checker program on a folder.
CheckerRun runChecker(const QStringList& arguments) {
    QProcess process;
    lectern::test::useFork(process);
    process.start(QStringLiteral(LECTERN_CHECK), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

check::CheckReport checkFolder(const QString& folder) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    platform::CourseFiles files;
    check::CheckReport report = check::CourseCheck(files).run();
    QDir::setCurrent(previous);
    return report;
}

QStringList goldenCases() {
    return QDir(testDataPath("check")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

QString copyOf(const TempDir& dir, const QString& course) {
    const QString target = dir.path() + "/course";
    QProcess copy;
    lectern::test::useFork(copy);
    copy.start("cp", {"-r", course, target});
    copy.waitForFinished();
    return target;
}

}  // namespace

// Each folder under tests/data/check holds a course and the report expected
// of it; LECTERN_UPDATE_GOLDEN=1 writes the reports anew.
class CheckGolden : public ::testing::TestWithParam<QString> {};

TEST_P(CheckGolden, ReportsWhatTheCaseExpects) {
    const QString folder = testDataPath("check/" + GetParam());
    const check::CheckReport report = checkFolder(folder + "/course");
    QFile expected(folder + "/expected.txt");
    if (qEnvironmentVariableIsSet("LECTERN_UPDATE_GOLDEN")) {
        ASSERT_TRUE(expected.open(QIODevice::WriteOnly));
        expected.write(report.toText().toUtf8());
        return;
    }
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << folder.toStdString();
    EXPECT_EQ(report.toText(), QString::fromUtf8(expected.readAll()));
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckGolden, ::testing::ValuesIn(goldenCases().toVector()),
                         [](const auto& info) { return info.param.toStdString(); });

TEST(Checker, ExitsZeroOnACleanCourseOneOnProblemsTwoOnAFolderItCannotRead) {
    const CheckerRun clean = runChecker({testDataPath("check/clean/course")});
    EXPECT_EQ(clean.status, 0) << clean.out.toStdString();
    EXPECT_TRUE(clean.out.startsWith("Lesson tree (5 nodes")) << clean.out.toStdString();

    const CheckerRun broken = runChecker({testDataPath("check/broken/course")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(
        broken.out.contains("main.dsg:9: error: 'forty-nine' is not a valid integer value"));

    EXPECT_EQ(runChecker({"/nonexistent/course"}).status, 2);
    TempDir dir;
    EXPECT_EQ(runChecker({dir.write("file", "x")}).status, 2) << "a file is no folder";
}

TEST(Checker, JsonTellsToolsTheSameFindings) {
    const CheckerRun run = runChecker({"--json", testDataPath("check/broken/course")});
    EXPECT_EQ(run.status, 1);
    const check::CheckReport report = checkFolder(testDataPath("check/broken/course"));
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(json["problems"].toInt(), report.problems());
    EXPECT_EQ(json["warnings"].toInt(), report.warnings());
    EXPECT_EQ(json["tree"].toArray().size(), 9);
    const QJsonObject first = json["findings"].toArray().at(0).toObject();
    EXPECT_EQ(first["file"].toString(), report.findings.front().file);
    EXPECT_EQ(first["line"].toInt(), report.findings.front().line);
    EXPECT_EQ(first["severity"].toString(), "error");
}

TEST(Checker, TheDemoCourseIsCleanAndEveryProblemPlantedInACopyIsNamed) {
    const QString demo = qEnvironmentVariable("LECTERN_DEMO_COURSE");
    if (demo.isEmpty() || !QFile::exists(demo + "/main.mrb"))
        GTEST_SKIP() << "no demo course built";
    const CheckerRun clean = runChecker({demo});
    EXPECT_EQ(clean.status, 0) << clean.out.toStdString();
    EXPECT_TRUE(clean.out.endsWith("0 problem(s), 0 warning(s)\n")) << clean.out.toStdString();

    TempDir dir;
    const QString course = copyOf(dir, demo);
    const auto rewrite = [&](const QString& file, const QString& from, const QString& to) {
        QFile f(course + "/" + file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        f.close();
        ASSERT_TRUE(bytes.contains(from.toUtf8())) << file.toStdString();
        const qsizetype at = bytes.indexOf(from.toUtf8());
        bytes.replace(at, from.toUtf8().size(), to.toUtf8());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    rewrite("data/text/sun.htm", "id=\"t3\"", "id=\"x3\"");
    rewrite("data/marks/sun.txt", "\r\n", "\r\nten\r\n");
    rewrite("time.mtp", "0\r\n20\r\n", "0\r\n-\r\n");
    QFile::remove(course + "/data/sound/sun.wav");
    QFile::rename(course + "/data/text/quiz.htm", course + "/data/text/Quiz.HTM");
    ASSERT_EQ(::symlink("loop", QFile::encodeName(course + "/data/text/loop").constData()), 0);
    rewrite("text.mtp", "mercury.htm", "loop\\mercury.htm");

    const CheckerRun broken = runChecker({course});
    EXPECT_EQ(broken.status, 1);
    for (const char* expected :
         {"data/text/sun.htm: error: lacks t3", "data/marks/sun.txt:2: error: 'ten' is not a valid",
          "time.mtp:12: error: '-' is not a valid integer value",
          "sound.mtp:2: error: lesson sound data/sound/sun.wav: not found",
          "text.mtp:7: warning: lesson page data/text/quiz.htm: found only as data/text/Quiz.HTM",
          "text.mtp:3: error: lesson page data/text/loop/mercury.htm: not found"})
        EXPECT_TRUE(broken.out.contains(expected)) << expected << "\n" << broken.out.toStdString();
}

TEST(Checker, NamesWhatThePlayerRefusesToRead) {
    TempDir dir;
    const QString course = copyOf(dir, testDataPath("check/clean/course"));
    const QString outside = dir.write("outside/secret.htm", "<p id=\"t1\">secret</p>");
    const auto replace = [&](const QString& file, const std::function<bool(const QString&)>& make) {
        QFile::remove(course + "/" + file);
        ASSERT_TRUE(make(course + "/" + file)) << file.toStdString();
    };
    replace("main.dsg", [](const QString& p) { return ::mkfifo(QFile::encodeName(p), 0600) == 0; });
    replace("zagol.mtp", [](const QString& p) { return QFile::link("/dev/zero", p); });
    replace("gdata/top.jpg", [](const QString& p) { return QFile::link("/dev/urandom", p); });
    replace("data/empty.wav", [&](const QString& p) { return QFile::link(outside, p); });
    const CheckerRun run = runChecker({course});
    EXPECT_EQ(run.status, 1);
    for (const char* expected :
         {"main.dsg: error: cannot be read: it is a FIFO, not a regular file",
          "zagol.mtp: error: cannot be read: it is a device, not a regular file",
          "gdata/top.jpg: error: skin picture: it is a device, not a regular file",
          "data/empty.wav: it is a link that leads outside the course folder"})
        EXPECT_TRUE(run.out.contains(expected)) << expected << "\n" << run.out.toStdString();
}
