#pragma once

#include <QElapsedTimer>
#include <QTest>

#include <functional>

namespace lectern::test {

// Runs the event loop until `done` holds, for at most `ms`; tells whether it held.
inline bool waitUntil(const std::function<bool()>& done, int ms = 15000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(20);
    }
    return true;
}

}  // namespace lectern::test
