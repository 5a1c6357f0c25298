// The two programs' command lines, answered before any window exists: run
// with no display at all.
#include "support/ForkedProcess.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

using lectern::test::TempDir;

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// Runs without a display; `platform`, when given, is QT_QPA_PLATFORM.
Outcome run(const QString& program, const QStringList& arguments,
            const QString& platform = QString()) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    process.setProcessEnvironment(environment);
    lectern::test::useFork(process);
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

struct Case {
    const char* program;
    QStringList arguments;
    int status;
    QString out;  // text the output must hold
    QString err;  // text the error output must hold
};

}  // namespace

TEST(CommandLine, AnswersHelpVersionAndMistakesWithoutADisplay) {
    TempDir dir;
    const QString file = dir.write("notes.txt", "not a course");
    const QString player = QStringLiteral(LECTERN_PLAYER);
    const QString checker = QStringLiteral(LECTERN_CHECK);
    const QString version = QStringLiteral(LECTERN_VERSION);
    const Case cases[] = {
        {"lectern", {"--version"}, 0, "lectern " + version + "\n", ""},
        {"lectern", {"--help"}, 0, "[COURSE_FOLDER]", ""},
        {"lectern", {"--bogus"}, 2, "", "Unknown option 'bogus'"},
        {"lectern", {"--bogus"}, 2, "", "Usage:"},
        {"lectern", {"one", "two"}, 2, "", "Only one course folder"},
        {"lectern", {dir.path() + "/missing"}, 2, "", "There is no folder " + dir.path()},
        {"lectern", {file}, 2, "", file + " is not a folder."},
        {"lectern", {"--choose", file}, 2, "", "is not a folder."},
        {"lectern-check", {"--version"}, 0, "lectern-check " + version, ""},
        {"lectern-check", {"--help"}, 0, "--json", ""},
        {"lectern-check", {"--bogus"}, 2, "", "Usage:"},
    };
    for (const Case& c : cases) {
        const Outcome result =
            run(QString::fromLatin1(c.program) == "lectern" ? player : checker, c.arguments);
        const std::string label =
            (QString::fromLatin1(c.program) + QLatin1Char(' ') + c.arguments.join(' '))
                .toStdString();
        EXPECT_EQ(result.status, c.status) << label << "\n" << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(c.out)) << label << ": " << result.out.toStdString();
        EXPECT_TRUE(result.err.contains(c.err)) << label << ": " << result.err.toStdString();
    }
}

TEST(CommandLine, AFolderThatCannotBeReadIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    TempDir dir;
    const QString folder = dir.path() + "/locked";
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::WriteOwner);
    const Outcome result = run(QStringLiteral(LECTERN_PLAYER), {folder});
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.contains("The folder " + folder + " cannot be read."))
        << result.err.toStdString();
}

// Where no window system can be reached, the player says so in one line and
// ends as for any start it cannot make, instead of aborting.
TEST(CommandLine, NoUsableWindowSystemIsOneLineAndStatusTwo) {
    TempDir course;
    for (const QString& platform : {QString(), QStringLiteral("nosuchplatform"),
                                    QStringLiteral("wayland"), QStringLiteral("xcb")}) {
        const Outcome result = run(QStringLiteral(LECTERN_PLAYER), {course.path()}, platform);
        const std::string label = "QT_QPA_PLATFORM=" + platform.toStdString();
        EXPECT_EQ(result.status, 2) << label << "\n" << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith("lectern: no window can be opened ("))
            << label << "\n"
            << result.err.toStdString();
        EXPECT_EQ(result.err.count(QLatin1Char('\n')), 1) << label << "\n"
                                                          << result.err.toStdString();
    }
}

namespace {

// A chain of folders below `base` whose path is longer than the system can
// name, entered as the current folder for the life of the object (each
// step is relative, so the path never has to be spelt whole).
class TooDeepCurrentFolder {
  public:
    explicit TooDeepCurrentFolder(const QString& base) {
        previous_ = ::open(".", O_RDONLY | O_DIRECTORY);
        const QByteArray name(200, 'd');
        EXPECT_EQ(::chdir(QFile::encodeName(base).constData()), 0);
        for (int depth = 0; depth * (name.size() + 1) <= PATH_MAX; ++depth, ++levels_) {
            EXPECT_EQ(::mkdir(name.constData(), 0700), 0);
            EXPECT_EQ(::chdir(name.constData()), 0);
        }
    }
    ~TooDeepCurrentFolder() {
        const QByteArray name(200, 'd');
        for (; levels_ > 0; --levels_) {
            static_cast<void>(::chdir(".."));
            ::rmdir(name.constData());
        }
        static_cast<void>(::fchdir(previous_));
        ::close(previous_);
    }

  private:
    int previous_ = -1;
    int levels_ = 0;
};

}  // namespace

TEST(CommandLine, ACurrentFolderWithoutAPathStopsBothProgramsBeforeAnythingIsRead) {
    TempDir dir;
    const TooDeepCurrentFolder deep(dir.path());
    ASSERT_TRUE(QDir::currentPath().isEmpty()) << "the system names the folder after all";
    for (const QString& program : {QStringLiteral(LECTERN_PLAYER), QStringLiteral(LECTERN_CHECK)}) {
        const Outcome result = run(program, {});
        EXPECT_EQ(result.status, 2) << program.toStdString() << "\n" << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("The current folder has no path the system can give"))
            << result.err.toStdString();
    }
}

TEST(DesktopEntry, StartsWithAChosenFolderButClaimsNoFolders) {
    QFile entry(QStringLiteral(LECTERN_DESKTOP_ENTRY));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    // Opening folders stays the file manager's; "Open with" still hands one over.
    EXPECT_FALSE(text.contains("inode/directory")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nExec=lectern --choose %f\n")) << text.toStdString();
}
