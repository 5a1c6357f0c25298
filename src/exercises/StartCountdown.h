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

}  // namespace lectern::exercises
