// The word popup's latency on screen: from the learner's double-click on a
// word of a lesson page (the second press, as the X server has it) to the
// popup drawn beside the word (its pixels on the screen, grabbed from the X
// server). The clicks go through the XTEST extension directly, taken from
// the system's libXtst at run time, so that a program's start-up is not
// counted (xdotool's is, as a comparison).
// Usage: word-popup-latency <player> <course> <double-clicks>
// The course's first lesson is a narrated reading whose page is laid out as
// bench/app/word-popup-latency writes it. Needs an X display and xdotool.
#include "app/FirstLessonOnScreen.h"
#include "app/LatencyFigures.h"
#include "app/XDesktop.h"

#include <dlfcn.h>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

using lectern::bench::FirstLessonOnScreen;
using lectern::bench::monotonicNs;
using lectern::bench::XDesktop;

namespace {

// Where passage 1 and the words stand in the page, in CSS pixels.
const QPoint passageAt(20, 16);
constexpr int words = 15;
QPoint wordAt(int i) {
    return {30 + 270 * (i % 3), 70 + 80 * (i / 3)};
}
// Grabbed under and beside a word: room for the popup (380 × 220 below it).
constexpr int areaWidth = 420;
constexpr int areaHeight = 290;
// The popup changes far more pixels than the selection of a word does.
constexpr int drawnPixels = 12000;
constexpr int timeoutMs = 5000;

int changedPixels(const QImage& a, const QImage& b) {
    int changed = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            changed += (ra[x] & 0xffffff) != (rb[x] & 0xffffff);
    }
    return changed;
}

void xdotool(const QStringList& arguments) {
    lectern::test::XWindows::run("xdotool", arguments);
}

// The few calls of Xlib and XTEST the clicks need.
class FakeButton {
  public:
    FakeButton() {
        void* x11 = dlopen("libX11.so.6", RTLD_NOW);
        void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst)
            throw std::runtime_error("libX11 and libXtst are needed");
        const auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(x11, "XOpenDisplay"));
        sync_ = reinterpret_cast<int (*)(void*, int)>(dlsym(x11, "XSync"));
        button_ = reinterpret_cast<int (*)(void*, unsigned, int, unsigned long)>(
            dlsym(xtst, "XTestFakeButtonEvent"));
        if (!open || !sync_ || !button_ || !(display_ = open(nullptr)))
            throw std::runtime_error("no XTEST on the display");
    }
    // Sends a press or a release of the left button and waits until the
    // server has it.
    void send(bool press) {
        button_(display_, 1, press ? 1 : 0, 0);
        sync_(display_, 0);
    }

  private:
    void* display_ = nullptr;
    int (*sync_)(void*, int) = nullptr;
    int (*button_)(void*, unsigned, int, unsigned long) = nullptr;
};

using Figures = lectern::bench::LatencyFigures;

}  // namespace

int main(int argc, char** argv) try {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: word-popup-latency <player> <course> <double-clicks>\n");
        return 2;
    }
    const QString course = QString::fromLocal8Bit(argv[2]);
    const int wanted = std::atoi(argv[3]);

    FirstLessonOnScreen lesson(QString::fromLocal8Bit(argv[1]), course);
    const QRect frame = XDesktop::geometry(lesson.window());
    const QRect passage = FirstLessonOnScreen::waitForHighlight(frame);
    // The highlight's shadow reaches 2 px beyond the passage.
    const QPoint origin = frame.topLeft() + passage.topLeft() + QPoint(2, 2) - passageAt;
    XDesktop::pause(1500);

    FakeButton button;
    Figures first, later, spawned;
    for (int n = 0; n < wanted; ++n) {
        const QPoint word = origin + wordAt(n % words);
        const QRect area(word.x() - 10, word.y(), areaWidth, areaHeight);
        xdotool({"mousemove", QString::number(word.x() + 14), QString::number(word.y() + 13)});
        XDesktop::pause(150);
        const QImage before = XDesktop::grab(area);
        qint64 clicked = 0;
        if (n % 2 == 0) {
            button.send(true);
            button.send(false);
            XDesktop::pause(40);
            button.send(true);
            clicked = monotonicNs();
            button.send(false);
        } else {
            const qint64 start = monotonicNs();
            xdotool({"click", "--repeat", "2", "--delay", "40", "1"});
            clicked = start;
        }
        qint64 drawn = -1;
        while (monotonicNs() - clicked < qint64(timeoutMs) * 1'000'000) {
            const qint64 at = monotonicNs();
            if (changedPixels(before, XDesktop::grab(area)) > drawnPixels) {
                drawn = at;
                break;
            }
        }
        if (drawn < 0)
            throw std::runtime_error("no popup after double-click " + std::to_string(n + 1));
        (n == 0 ? first : n % 2 == 0 ? later : spawned).ms.push_back((drawn - clicked) / 1e6);
        XDesktop::key("Escape");
        for (int i = 0; changedPixels(before, XDesktop::grab(area)) > drawnPixels; ++i) {
            if (i > 250)
                throw std::runtime_error("the popup does not close");
            XDesktop::pause(20);
        }
        XDesktop::pause(200);
    }
    lesson.stop();

    std::printf("word popup latency, double-click to popup drawn (ms), %d double-clicks:\n",
                wanted);
    std::printf("  first popup: %.1f\n", first.worst());
    std::printf("  later popups: median %.1f, worst %.1f (%zu)\n", later.median(), later.worst(),
                later.ms.size());
    std::printf("  through xdotool, its start-up counted too: median %.1f, worst %.1f (%zu)\n",
                spawned.median(), spawned.worst(), spawned.ms.size());
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "word-popup-latency: %s\n", e.what());
    return 1;
}
