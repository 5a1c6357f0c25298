// Memory over a whole session: the player on a course, one lesson of each
// kind opened and closed in turn, against a bare Qt WebEngine program showing
// the course's first description page, measured in the same run as the PSS
// of each program's whole process tree. Then how long a lesson opened again
// takes from "Run lesson" to its page with passage 1 highlighted.
// Usage: session-memory <player> <bare program> <course> [<course with a long page>]
// Both courses have the splash switched off; the long page is the first
// narrated reading lesson's. Needs an X display, xdotool and /proc.
#include "app/ProcessTree.h"
#include "app/XDesktop.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

using lectern::bench::ProcessTree;
using lectern::bench::XDesktop;

namespace {

// How long a program is left idle before its memory is read: renderer
// processes that are no longer needed end, and collected memory is returned.
constexpr int SettleMs = 5000;
// The demo pages' highlight of the current passage.
constexpr QRgb Highlight = 0xffe79a;
// Button blocks of the geometry file (first of their four lines).
constexpr int RunLessonButton = 14;
constexpr int ExitButton = 26;
constexpr int ExerciseExitButton = 52;
// The order in which the lesson kinds are tried; "4" replays the recording
// that "3" and "11" leave.
const QStringList Kinds = {"1", "2", "3", "11", "4", "5", "6", "7", "8", "9"};

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
}

// A course folder and where its buttons and tree rows are on the screen.
struct Course {
    explicit Course(const QString& folder)
        : path(folder),
          layout(readLines(folder + "/main.dsg")),
          title(readLines(folder + "/wind.mtp").value(0)),
          captions(readLines(folder + "/zagol.mtp")),
          types(readLines(folder + "/main.mtp")),
          descriptions(readLines(folder + "/descr.mtp")) {}

    int line(int n) const { return layout.value(n).toInt(); }
    QPoint topBarButton(QRect window, int first) const {
        return window.topLeft() +
               QPoint(line(first + 3) + line(first) / 2, line(first + 2) + line(first + 1) / 2);
    }
    QPoint bottomBarButton(QRect window, int first) const {
        return window.topLeft() +
               QPoint(line(first + 3) + line(first) / 2,
                      window.height() - line(7) + line(first + 2) + line(first + 1) / 2);
    }
    QPoint treeRow(QRect window, int row) const {
        return window.topLeft() + QPoint(line(8) + 80, line(4) + 9 + row * 18);
    }
    QString firstPage() const { return path + "/data/descr/" + descriptions.value(0); }
    int firstNodeOfType(const QString& type) const { return int(types.indexOf(type)); }

    QString path;
    QStringList layout;
    QString title;
    QStringList captions;
    QStringList types;
    QStringList descriptions;
};

// A program started for the benchmark and ended with it.
class Program {
  public:
    Program(const QString& program, const QStringList& arguments, const QString& folder) {
        process_.setWorkingDirectory(folder);
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start(program, arguments);
        if (!process_.waitForStarted())
            throw std::runtime_error("cannot start " + program.toStdString());
    }
    ~Program() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }
    bool waitForExit(int ms) { return process_.waitForFinished(ms); }
    ProcessTree tree() const { return ProcessTree(pid_t(process_.processId())); }

  private:
    QProcess process_;
};

struct Reading {
    double megabytes;
    int processes;
};

Reading settledMemory(const Program& program) {
    XDesktop::pause(SettleMs);
    const ProcessTree tree = program.tree();
    for (const QString& line : tree.details())
        std::printf("    %s\n", qPrintable(line));
    return {tree.pssMegabytes(), tree.processes()};
}

Reading bareProgram(const QString& bare, const Course& course) {
    Program program(bare, {course.firstPage(), "bare page"}, course.path);
    if (XDesktop::waitForWindow("^bare page$", 60000).isEmpty())
        throw std::runtime_error("the bare program shows no window");
    return settledMemory(program);
}

bool hasHighlight(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) & 0xffffff) == (Highlight & 0xffffff))
                return true;
    return false;
}

// The player on its main window with every chapter open, so that the tree's
// rows are the nodes in index order.
class Session {
  public:
    Session(const QString& player, const Course& course)
        : course_(course), program_(player, {}, course.path) {
        const QString window = XDesktop::waitForWindow(XDesktop::exactly(course.title), 60000);
        if (window.isEmpty())
            throw std::runtime_error("the player shows no main window");
        main_ = XDesktop::geometry(window);
    }

    Reading memory() const { return settledMemory(program_); }

    void openChapters() {
        XDesktop::click(course_.treeRow(main_, 0));
        XDesktop::pause(200);
        for (int node = 0; node < course_.types.size(); ++node) {
            if (course_.types[node] != "0")
                continue;
            XDesktop::key("Home");
            for (int i = 0; i < node; ++i)
                XDesktop::key("Down");
            XDesktop::key("Right");
        }
    }

    // Runs a node's lesson and waits for its window; the milliseconds from
    // the click on "Run lesson" until the lesson's page shows a highlighted
    // passage (or until the window shows, when `highlight` is false).
    qint64 run(int node, bool highlight) {
        XDesktop::click(course_.treeRow(main_, node));
        XDesktop::pause(300);
        QElapsedTimer clock;
        clock.start();
        XDesktop::click(course_.topBarButton(main_, RunLessonButton));
        const QString window = XDesktop::waitForWindow(pattern(node), 30000);
        if (window.isEmpty())
            throw std::runtime_error("no window for node " + std::to_string(node));
        const QRect frame = XDesktop::geometry(window);
        exit_ = course_.bottomBarButton(frame, ExerciseExitButton);
        if (!highlight)
            return clock.elapsed();
        const QRect page = frame.adjusted(60, 90, -60, -130);
        while (!hasHighlight(XDesktop::grab(page))) {
            if (clock.elapsed() > 30000)
                throw std::runtime_error("no highlight for node " + std::to_string(node));
            XDesktop::pause(10);
        }
        return clock.elapsed();
    }

    void close(int node) {
        XDesktop::click(exit_);
        if (!XDesktop::waitForNoWindow(pattern(node), 10000))
            throw std::runtime_error("the window of node " + std::to_string(node) +
                                     " does not close");
    }

    void exit() {
        XDesktop::click(course_.topBarButton(main_, ExitButton));
        program_.waitForExit(10000);
    }

  private:
    QString pattern(int node) const { return XDesktop::exactly(course_.captions.value(node)); }

    const Course& course_;
    Program program_;
    QRect main_;
    QPoint exit_;
};

void report(const char* what, Reading player, double bare) {
    std::printf("%-44s %8.1f MB %3d processes   %+7.1f MB against the bare program\n", what,
                player.megabytes, player.processes, player.megabytes - bare);
    std::fflush(stdout);
}

// Times a reading lesson opened once and then `again` more times, each after
// the last was closed. The engine's timing varies from run to run, so one
// figure says little: SESSION_MEMORY_REOPENS sets how many (default 1).
void reopen(const QString& player, const Course& course, const char* name) {
    const int again = std::max(1, qEnvironmentVariableIntValue("SESSION_MEMORY_REOPENS"));
    Session session(player, course);
    session.openChapters();
    const int node = course.firstNodeOfType("1");
    const qint64 first = session.run(node, true);
    std::vector<qint64> times;
    for (int k = 0; k < again; ++k) {
        XDesktop::pause(1000);
        session.close(node);
        XDesktop::pause(1000);
        times.push_back(session.run(node, true));
    }
    XDesktop::pause(1000);
    session.close(node);
    QStringList shown;
    for (qint64 ms : times)
        shown << QString::number(ms);
    const auto within =
        std::count_if(times.begin(), times.end(), [](qint64 ms) { return ms <= 1500; });
    std::printf(
        "%s: \"Run lesson\" to passage 1 highlighted: first %lld ms, again %s ms "
        "(%d of %d within 1500 ms)\n",
        name, (long long)first, qPrintable(shown.join(", ")), int(within), int(times.size()));
    std::fflush(stdout);
    session.exit();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: session-memory <player> <bare> <course> [<long course>]\n");
        return 2;
    }
    const QString player = QString::fromLocal8Bit(argv[1]);
    const QString bare = QString::fromLocal8Bit(argv[2]);
    const Course course(QString::fromLocal8Bit(argv[3]));
    try {
        const Reading bareBefore = bareProgram(bare, course);
        std::printf("%-44s %8.1f MB %3d processes\n", "bare program", bareBefore.megabytes,
                    bareBefore.processes);
        double worst = 0;
        double startup = 0;
        {
            Session session(player, course);
            const Reading atStart = session.memory();
            startup = atStart.megabytes - bareBefore.megabytes;
            report("player at start-up", atStart, bareBefore.megabytes);
            session.openChapters();
            for (const QString& kind : Kinds) {
                const int node = course.firstNodeOfType(kind);
                if (node < 0)
                    continue;
                if (kind == "4") {  // the recordings before recorded nothing
                    QFile::remove(course.path + "/data/umarks.txt");
                    QFile::copy(course.path + "/data/marks/earth.txt",
                                course.path + "/data/umarks.txt");
                }
                session.run(node, false);
                XDesktop::pause(2500);
                session.close(node);
                const Reading after = session.memory();
                worst = std::max(worst, after.megabytes - bareBefore.megabytes);
                const QByteArray what =
                    QStringLiteral("after type \"%1\" opened and closed").arg(kind).toUtf8();
                report(what.constData(), after, bareBefore.megabytes);
            }
            report("after the whole round", session.memory(), bareBefore.megabytes);
            session.exit();
        }
        const Reading bareAfter = bareProgram(bare, course);
        std::printf("%-44s %8.1f MB %3d processes\n", "bare program again", bareAfter.megabytes,
                    bareAfter.processes);
        std::printf(
            "start-up: %+.1f MB (target <= +40); worst after a lesson: %+.1f MB "
            "(target <= +80)\n",
            startup, worst);
        std::fflush(stdout);
        reopen(player, course, "demo course");
        if (argc > 4)
            reopen(player, Course(QString::fromLocal8Bit(argv[4])), "long page");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "session-memory: %s\n", error.what());
        return 1;
    }
    return 0;
}
