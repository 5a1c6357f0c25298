// The real program on a Wayland compositor (weston, headless, drawing with
// pixman), driven through its accessibility tree on the session bus the test
// runs in, since a headless compositor has no input to send.
#include "e2e/DemoCourse.h"
#include "e2e/Desktop.h"
#include "support/TempDir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QThread>

#include <iostream>

#include <gtest/gtest.h>

using namespace lectern::test;
using namespace std::chrono_literals;

namespace {

constexpr QRgb Highlight = 0xffe79a;  // the demo pages' current passage
constexpr char Socket[] = "lectern-test";

// weston on its own runtime folder, as large as a laptop's screen.
class Weston {
  public:
    Weston() {
        QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime_.path());
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        // --debug lets weston-screenshooter take the screen.
        process_.start("weston", {"--backend=headless-backend.so", "--use-pixman",
                                  QStringLiteral("--socket=") + Socket, "--width=1280",
                                  "--height=800", "--idle-time=0", "--no-config", "--debug"});
        QElapsedTimer waited;
        waited.start();
        while (process_.state() != QProcess::NotRunning &&
               !QFile::exists(runtime_.path() + "/" + Socket) && waited.elapsed() < 10000)
            process_.waitForFinished(100);
    }
    ~Weston() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    bool running() const {
        return process_.state() == QProcess::Running &&
               QFile::exists(runtime_.path() + "/" + Socket);
    }
    QString log() { return QString::fromLocal8Bit(process_.readAll()); }
    QString runtime() const { return runtime_.path(); }

    // The whole screen as the compositor draws it.
    QImage screenshot() const {
        TempDir folder;
        QProcess shooter;
        shooter.setWorkingDirectory(folder.path());
        shooter.setProcessEnvironment(clientEnvironment());
        shooter.start("weston-screenshooter", {});
        shooter.waitForFinished(10000);
        const QStringList shots = QDir(folder.path()).entryList({"*.png"});
        return shots.isEmpty() ? QImage() : QImage(folder.path() + "/" + shots.first());
    }

    // What a program of this compositor's session is started with: no X
    // display, no sound server (the player plays on its silent clock).
    QProcessEnvironment clientEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("PULSE_SERVER");
        environment.insert("XDG_RUNTIME_DIR", runtime_.path());
        environment.insert("WAYLAND_DISPLAY", Socket);
        environment.insert("QT_QPA_PLATFORM", "wayland");
        environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        return environment;
    }

  private:
    TempDir runtime_;
    QProcess process_;
};

// The accessibility driver (atspi-lesson.py), answered line by line.
class Driver {
  public:
    Driver(const QProcessEnvironment& environment, const QStringList& arguments) {
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start("/usr/bin/python3",
                       QStringList{LECTERN_SOURCE_DIR "/tests/e2e/atspi-lesson.py"} + arguments);
    }
    ~Driver() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    QString nextLine(Desktop::Milliseconds timeout) {
        QElapsedTimer waited;
        waited.start();
        while (!process_.canReadLine() && waited.elapsed() < timeout.count())
            if (!process_.waitForReadyRead(200) && process_.state() == QProcess::NotRunning)
                break;
        return QString::fromUtf8(process_.readLine()).trimmed();
    }
    void tell(const char* command) {
        process_.write(QByteArray(command) + "\n");
        process_.waitForBytesWritten(1000);
    }

  private:
    QProcess process_;
};

int highlightPixels(const QImage& shot) {
    int count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            count += (shot.pixel(x, y) & 0xffffff) == Highlight;
    return count;
}

struct Outcome {
    int status = -1;
    QString err;
};

Outcome runPlayer(QProcessEnvironment environment, const QString& folder) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(playerProgram(), {});
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

// One start of the player does every check: it opens, a lesson plays, the
// screen shows passage 1 highlighted, a quiz's "Results" box shows its whole
// caption and one button to close it, which closes it, and the windows close
// by their Exit.
TEST(Wayland, ThePlayerRunsALessonOnWeston) {
    Weston weston;
    if (!weston.running())
        GTEST_SKIP() << "weston did not start: " << weston.log().toStdString();
    if (QProcess::execute("/usr/bin/python3",
                          {"-c", "import gi; gi.require_version('Atspi', '2.0')"}) != 0)
        GTEST_SKIP() << "no AT-SPI for python3 (python3-gi, gir1.2-atspi-2.0)";
    DemoCourse course;
    course.keepOnlyNodes({1, 6});  // the narrated reading, a quiz
    const QString lesson = course.caption(1);
    QElapsedTimer took;
    took.start();

    QProcess player;
    player.setProcessEnvironment(weston.clientEnvironment());
    player.setWorkingDirectory(course.path());
    player.setProcessChannelMode(QProcess::ForwardedChannels);
    player.start(playerProgram(), {});
    Driver driver(weston.clientEnvironment(), {course.title(), lesson, course.caption(6)});
    ASSERT_EQ(driver.nextLine(60s), "main") << "the main window shows";
    ASSERT_EQ(driver.nextLine(30s), "lesson") << "Run lesson opens " << lesson.toStdString();

    // Passage 1 is highlighted once the page has loaded.
    QImage shot;
    for (QElapsedTimer waited; !waited.isValid() || waited.elapsed() < 15000;) {
        if (!waited.isValid())
            waited.start();
        shot = weston.screenshot();
        if (highlightPixels(shot) > 500)
            break;
        QThread::msleep(300);
    }
    ASSERT_FALSE(shot.isNull()) << "weston-screenshooter gave no picture";
    shot.save("wayland-lesson.png");
    EXPECT_GT(highlightPixels(shot), 500) << "passage 1 highlighted, see wayland-lesson.png";

    // Play moves the track bar on, on the silent clock.
    driver.tell("play");
    const QString moved = driver.nextLine(30s);
    EXPECT_TRUE(moved.startsWith("moved ")) << "the narration plays: " << moved.toStdString();
    weston.screenshot().save("wayland-playing.png");

    // The box has its caption row where Qt would draw the title bar itself:
    // the caption whole, and a close button but no other (the box's own
    // button is "OK").
    driver.tell("results");
    const QStringList box = driver.nextLine(60s).split(' ');
    ASSERT_EQ(box.value(0), "box") << box.join(' ').toStdString();
    const QImage boxShot = weston.screenshot();
    boxShot.save("wayland-box.png");
    EXPECT_EQ(box.value(1).split('|'), QStringList({"OK", "Close"}))
        << "the box's buttons, see wayland-box.png";
    QFont bold = QGuiApplication::font();
    bold.setBold(true);
    EXPECT_GE(box.value(2).toInt(), QFontMetrics(bold).horizontalAdvance("Results"))
        << "the caption shows whole, see wayland-box.png";
    driver.tell("close");
    EXPECT_EQ(driver.nextLine(10s), "closed");

    driver.tell("exit");
    EXPECT_EQ(driver.nextLine(10s), "done");
    EXPECT_TRUE(player.waitForFinished(10000));
    EXPECT_EQ(player.exitCode(), 0);
    std::cout << "player on weston: " << took.elapsed() << " ms\n";
}

// Without a compositor, or without the Wayland plugin, the player says so in
// one line and ends with status 2.
TEST(Wayland, NoUsablePlatformPluginIsOneLineAndStatusTwo) {
    TempDir runtime, plugins, course;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("WAYLAND_DISPLAY", "no-compositor-here");
    environment.insert("QT_QPA_PLATFORM", "wayland");
    QProcessEnvironment noPlugins = environment;
    noPlugins.insert("QT_QPA_PLATFORM_PLUGIN_PATH", plugins.path());
    for (const QProcessEnvironment& start : {environment, noPlugins}) {
        const Outcome result = runPlayer(start, course.path());
        EXPECT_EQ(result.status, 2) << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith("lectern: no window can be opened ("))
            << result.err.toStdString();
        EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    }
}
