// The highlight's latency on screen: from the moment the sound clock, as
// heard, crosses the point where the reading window passes to the next
// passage (its mark less the window's 500 ms lead) to the moment the page's
// pixels show the new passage. The player writes its clock and each change
// of passage to LECTERN_CLOCK_LOG; this program grabs the page from the X
// server as fast as it can, both on CLOCK_MONOTONIC.
// Usage: highlight-latency <player> <course> <changes>
// The course's first lesson is a narrated reading whose marks fall every
// 500 ms; its page highlights in the demo pages' colour. Needs an X display
// and xdotool.
#include "app/LatencyFigures.h"
#include "app/XDesktop.h"

#include <time.h>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <vector>

using lectern::bench::XDesktop;

namespace {

constexpr QRgb Highlight = 0xffe79a;
// The reading window's lead: a passage is passed this long before its mark.
constexpr int LeadMs = 500;

qint64 nowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Catalogue files keep their empty lines: line n belongs to node n.
QStringList readLines(const QString& path, const QString& separator,
                      Qt::SplitBehavior empty = Qt::KeepEmptyParts) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll()).split(separator, empty);
}

// The first lesson's marks, read as the player reads them.
std::vector<int> firstLessonMarks(const QString& course) {
    const QString entry = readLines(course + "/zmarks.mtp", "\r\n").value(1).replace('\\', '/');
    std::vector<int> marks;
    for (const QString& line :
         readLines(course + "/data/marks/" + entry, "\r\n", Qt::SkipEmptyParts))
        marks.push_back(line.toInt());
    return marks;
}

QRect highlightBounds(const QImage& shot) {
    QRect bounds;
    for (int y = 0; y < shot.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x)
            if ((row[x] & 0xffffff) == Highlight)
                bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

using Figures = lectern::bench::LatencyFigures;

}  // namespace

int main(int argc, char** argv) try {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: highlight-latency <player> <course> <changes>\n");
        return 2;
    }
    const QString course = QString::fromLocal8Bit(argv[2]);
    const int wanted = std::atoi(argv[3]);
    const std::vector<int> marks = firstLessonMarks(course);
    const QString title = readLines(course + "/wind.mtp", "\r\n").value(0);
    const QString caption = readLines(course + "/zagol.mtp", "\r\n").value(1);

    QTemporaryDir work;
    const QString logPath = work.path() + "/clock.log";
    QProcess player;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LECTERN_CLOCK_LOG", logPath);
    environment.insert("XDG_CONFIG_HOME", work.path());
    player.setProcessEnvironment(environment);
    player.setWorkingDirectory(course);
    player.setStandardOutputFile(QProcess::nullDevice());
    player.start(QString::fromLocal8Bit(argv[1]), {});
    if (!player.waitForStarted())
        throw std::runtime_error("the player did not start");

    if (XDesktop::waitForWindow(XDesktop::exactly(title), 60000).isEmpty())
        throw std::runtime_error("no main window");
    XDesktop::pause(2000);
    for (const char* key : {"Right", "Down", "Return"})
        XDesktop::key(key);
    const QString window = XDesktop::waitForWindow(XDesktop::exactly(caption), 30000);
    if (window.isEmpty())
        throw std::runtime_error("no reading window");
    const QRect page = XDesktop::geometry(window).adjusted(60, 90, -60, -130);
    for (int i = 0; !highlightBounds(XDesktop::grab(page)).isValid(); ++i) {
        if (i > 500)
            throw std::runtime_error("passage 1 is never highlighted");
        XDesktop::pause(20);
    }
    XDesktop::pause(1000);

    // The page grabbed over and over: when its pixels change, and when a
    // new highlight shows in full (the demo pages fade it in over 250 ms).
    XDesktop::key("space");
    std::vector<qint64> changed;
    std::vector<qint64> shown;
    std::vector<double> grabMs;
    QImage previous = XDesktop::grab(page);
    QRect last = highlightBounds(previous);
    const qint64 end = nowNs() + qint64(marks.back() + 3000) * 1'000'000;
    while (nowNs() < end) {
        const qint64 before = nowNs();
        const QImage now = XDesktop::grab(page);
        grabMs.push_back((nowNs() - before) / 1e6);
        if (now != previous)
            changed.push_back(before);
        const QRect bounds = highlightBounds(now);
        if (bounds.isValid() && bounds != last) {
            shown.push_back(before);
            last = bounds;
        }
        previous = now;
        XDesktop::pause(1);
    }
    player.kill();
    player.waitForFinished();

    // The player's clock as heard and its changes of passage.
    std::vector<std::pair<qint64, int>> clock;
    std::vector<std::pair<qint64, int>> passages;
    for (const QString& line : readLines(logPath, "\n", Qt::SkipEmptyParts)) {
        const QStringList f = line.split(' ');
        (f.value(1) == "clock" ? clock : passages).emplace_back(f[0].toLongLong(), f[2].toInt());
    }
    // When the clock first went past `point` ms, between two samples.
    const auto crossing = [&clock](int point) -> qint64 {
        for (size_t i = 1; i < clock.size(); ++i)
            if (clock[i].second > point && clock[i - 1].second <= point) {
                const auto [t0, p0] = clock[i - 1];
                const auto [t1, p1] = clock[i];
                return t0 + (t1 - t0) * (point - p0) / std::max(1, p1 - p0);
            }
        return -1;
    };

    // The first moment at or after `at` in a list of moments.
    const auto firstFrom = [](const std::vector<qint64>& moments, qint64 at) -> qint64 {
        const auto found = std::lower_bound(moments.begin(), moments.end(), at);
        return found == moments.end() ? -1 : *found;
    };
    Figures total, decided, drawn, full, grab{grabMs};
    for (const auto& [at, k] : passages) {
        // Passage k (2 onwards) comes when passage k - 1's mark nears.
        if (k < 2 || k > int(marks.size()) || int(total.ms.size()) == wanted)
            continue;
        const qint64 crossed = crossing(marks[k - 2] - LeadMs);
        const qint64 pixels = firstFrom(changed, at);
        const qint64 whole = firstFrom(shown, at);
        if (crossed < 0 || pixels < 0 || whole < 0)
            break;
        total.ms.push_back((pixels - crossed) / 1e6);
        decided.ms.push_back((at - crossed) / 1e6);
        drawn.ms.push_back((pixels - at) / 1e6);
        full.ms.push_back((whole - crossed) / 1e6);
    }
    std::printf("highlight latency over %zu changes (ms): median %.1f, worst %.1f\n",
                total.ms.size(), total.median(), total.worst());
    std::printf("  clock crossing -> passage changed in the window: median %.1f, worst %.1f\n",
                decided.median(), decided.worst());
    std::printf("  passage changed -> first pixels changed: median %.1f, worst %.1f\n",
                drawn.median(), drawn.worst());
    std::printf("  clock crossing -> highlight drawn in full: median %.1f, worst %.1f\n",
                full.median(), full.worst());
    std::printf("  one grab of the page: median %.1f ms, worst %.1f ms\n", grab.median(),
                grab.worst());
    return total.ms.size() >= size_t(wanted) ? 0 : 1;
} catch (const std::exception& e) {
    std::fprintf(stderr, "highlight-latency: %s\n", e.what());
    return 1;
}
