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
#include "app/FirstLessonOnScreen.h"
#include "app/LatencyFigures.h"
#include "app/XDesktop.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <vector>

using lectern::bench::FirstLessonOnScreen;
using lectern::bench::monotonicNs;
using lectern::bench::readLines;
using lectern::bench::XDesktop;

namespace {

// The reading window's lead: a passage is passed this long before its mark.
constexpr int LeadMs = 500;

// The first lesson's marks, read as the player reads them.
std::vector<int> firstLessonMarks(const QString& course) {
    const QString entry = readLines(course + "/zmarks.mtp", "\r\n").value(1).replace('\\', '/');
    std::vector<int> marks;
    for (const QString& line :
         readLines(course + "/data/marks/" + entry, "\r\n", Qt::SkipEmptyParts))
        marks.push_back(line.toInt());
    return marks;
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

    QTemporaryDir work;
    const QString logPath = work.path() + "/clock.log";
    QProcessEnvironment log;
    log.insert("LECTERN_CLOCK_LOG", logPath);
    FirstLessonOnScreen lesson(QString::fromLocal8Bit(argv[1]), course, log);
    const QRect page = XDesktop::geometry(lesson.window()).adjusted(60, 90, -60, -130);
    FirstLessonOnScreen::waitForHighlight(page);
    XDesktop::pause(1000);

    // The page grabbed over and over: when its pixels change, and when a
    // new highlight shows in full (the demo pages fade it in over 250 ms).
    XDesktop::key("space");
    std::vector<qint64> changed;
    std::vector<qint64> shown;
    std::vector<double> grabMs;
    QImage previous = XDesktop::grab(page);
    QRect last = FirstLessonOnScreen::highlightBounds(previous);
    const qint64 end = monotonicNs() + qint64(marks.back() + 3000) * 1'000'000;
    while (monotonicNs() < end) {
        const qint64 before = monotonicNs();
        const QImage now = XDesktop::grab(page);
        grabMs.push_back((monotonicNs() - before) / 1e6);
        if (now != previous)
            changed.push_back(before);
        const QRect bounds = FirstLessonOnScreen::highlightBounds(now);
        if (bounds.isValid() && bounds != last) {
            shown.push_back(before);
            last = bounds;
        }
        previous = now;
        XDesktop::pause(1);
    }
    lesson.stop();

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
