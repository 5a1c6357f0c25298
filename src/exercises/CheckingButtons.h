#pragma once

#include "platform/widgets/SkinnedForm.h"

#include <QString>
#include <functional>

namespace lectern::exercises {

// The buttons of the test and sorting windows on their bottom bar: a start
// button, "Check" twice (the first hidden in the layout), "Help" and "Exit".
// They have no hover: the holders stay hidden, and the bar's own picture
// shows the buttons.
struct CheckingButtonClicks {
    std::function<void()> start;
    std::function<void()> check;
    std::function<void()> help;
    std::function<void()> exit;
};

inline void addCheckingButtons(platform::SkinnedForm& window, const QString& startHint,
                               const CheckingButtonClicks& clicks) {
    window.addButtons({{startHint}, {"Check"}, {"Check"}, {"Help"}, {"Exit"}});
    window.m22()->hide();
    window.Buttons().onClicks({clicks.start, {}, clicks.check, clicks.help, clicks.exit});
}

}  // namespace lectern::exercises
