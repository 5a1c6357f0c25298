#include "e2e/DemoCourse.h"
#include "e2e/Desktop.h"
#include "media/PipeSink.h"
#include "media/PulseServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QScopeGuard>

using namespace lectern::test;
using namespace std::chrono_literals;

namespace {

// The demo pages' highlight of the current passage.
constexpr QRgb Highlight = 0xffe79a;
// A share of full scale the narration passes and silence does not.
constexpr float Heard = 0.02f;

QRect highlightBounds(const QImage& shot) {
    QRect bounds;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if ((shot.pixel(x, y) & 0xffffff) == Highlight)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Whether something louder than Heard comes out of the sink within `ms`.
bool soundWithin(PipeSink& sink, int ms) {
    sink.listen(Heard);
    return sink.soundAt(ms).has_value();
}

// Waits up to `ms` for the sink to stay quiet for `quietMs` (the pauses
// between espeak's words are shorter).
bool fallsSilent(PipeSink& sink, int ms, int quietMs = 800) {
    const auto deadline = PipeSink::Clock::now() + std::chrono::milliseconds(ms);
    while (PipeSink::Clock::now() < deadline) {
        if (!soundWithin(sink, quietMs))
            return true;
        // Past the sound just heard.
        Desktop::pause(20ms);
    }
    return false;
}

}  // namespace

// One start of the real program on the demo course, with its sound on a
// private PulseAudio server: P, then Play stops the narration at the end of
// passage 1, which stays highlighted; Space plays passage 2 and stops at its
// end; R plays passage 2 again.
TEST(PracticeEndToEnd, PauseAfterEachPassageThenSpaceAndRepeatOnTheRealSound) {
    PulseServer pulse;
    if (!pulse.failure().isEmpty())
        GTEST_SKIP() << pulse.failure().toStdString();
    TempDir dir;
    PipeSink sink(dir.path());
    if (!sink.failure().isEmpty())
        GTEST_SKIP() << sink.failure().toStdString();
    pactl({QStringLiteral("set-default-sink"), sink.name()});
    DemoCourse course;
    TempDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", settings.path().toLocal8Bit());
    const auto restore = qScopeGuard([] {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    });

    PlayerProcess player(course.path());
    ASSERT_FALSE(Desktop::waitForWindow(Desktop::exactly(course.title()), 60s).isEmpty());
    Desktop::pause(2s);
    for (const char* key : {"Right", "Down", "Return"})
        Desktop::key(key);
    const QString reading = Desktop::waitForWindow("The Sun - narrated reading", 20s);
    ASSERT_FALSE(reading.isEmpty());
    const QRect page = Desktop::geometry(reading).adjusted(60, 90, -60, -130);
    const auto settled = [&page] {
        QRect last;
        int held = 0;
        for (int i = 0; i < 400 && held < 5; ++i) {
            const QRect now = highlightBounds(Desktop::grab(page));
            held = now.isValid() && now == last ? held + 1 : 0;
            last = now;
            Desktop::pause(20ms);
        }
        return held == 5 ? last : QRect();
    };
    const QRect first = settled();
    ASSERT_TRUE(first.isValid()) << "passage 1 highlighted";

    Desktop::keyTo(reading, "p");
    Desktop::keyTo(reading, "space");
    ASSERT_TRUE(soundWithin(sink, 5000)) << "passage 1 plays";
    ASSERT_TRUE(fallsSilent(sink, 20000)) << "and stops";
    EXPECT_FALSE(soundWithin(sink, 3000)) << "nothing of passage 2 for 3 s";
    EXPECT_EQ(settled(), first) << "passage 1 stays highlighted";

    Desktop::keyTo(reading, "space");
    ASSERT_TRUE(soundWithin(sink, 3000)) << "Space plays passage 2";
    QRect second = settled();
    for (int i = 0; i < 50 && second == first; ++i)
        second = settled();
    ASSERT_TRUE(second.isValid() && second != first) << "passage 2 highlighted";
    ASSERT_TRUE(fallsSilent(sink, 20000)) << "and it stops at its end";
    EXPECT_FALSE(soundWithin(sink, 2000));
    EXPECT_EQ(settled(), second);

    Desktop::keyTo(reading, "r");
    EXPECT_TRUE(soundWithin(sink, 3000)) << "R plays passage 2 again";
    EXPECT_EQ(settled(), second);
    ASSERT_TRUE(fallsSilent(sink, 20000));
    Desktop::screenshot().save(QStringLiteral("practice-held.png"));
}
