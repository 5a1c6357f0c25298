#pragma once

#include "platform/widgets/Announcer.h"

#include <QString>

namespace lectern::exercises {

// What a screen reader hears of a countdown: ten seconds before the end, and
// the end, once each; never every second.
inline void announceCountdown(QWidget* window, int secondsLeft) {
    if (secondsLeft == 10)
        platform::announce(window, QStringLiteral("10 seconds left"));
    else if (secondsLeft == 0)
        platform::announce(window, QStringLiteral("Time is up"));
}

}  // namespace lectern::exercises
