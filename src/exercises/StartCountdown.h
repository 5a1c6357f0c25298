#pragma once

#include "catalogue/LessonEntries.h"

#include <QTimer>

namespace lectern::exercises {

// Starts a timed window's countdown, then reads its seconds from the time
// entry. A set-up that stops on that entry stops the countdown again, so that
// the hidden window does not reach zero later and check or save behind the
// learner's back.
inline int startCountdown(QTimer& timer, const catalogue::LessonEntries& lesson) {
    timer.start();
    try {
        return lesson.Seconds();
    } catch (...) {
        timer.stop();
        throw;
    }
}

// The start button of a timed window: the countdown runs on. A running
// timer is left alone: restarting it would begin its second anew, so clicks
// faster than once a second would hold the countdown.
inline void resumeCountdown(QTimer& timer) {
    if (!timer.isActive())
        timer.start();
}

}  // namespace lectern::exercises
