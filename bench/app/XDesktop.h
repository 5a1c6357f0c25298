#pragma once

#include "support/XWindows.h"

#include <QImage>
#include <QPoint>
#include <QString>

namespace lectern::bench {

// The X display the benchmark drives programs on, through xdotool as a
// person at the desktop would; pictures come straight from the X server.
class XDesktop : public test::XWindows {
  public:
    // Waits up to `timeoutMs` for a visible window whose name matches the
    // pattern (xdotool's extended regular expressions); empty text when none came.
    static QString waitForWindow(const QString& namePattern, int timeoutMs);
    // Waits up to `timeoutMs` until no such window is visible.
    static bool waitForNoWindow(const QString& namePattern, int timeoutMs);

    static void click(QPoint at);
    static void key(const QString& keys);
    // A part of the screen as it is shown now.
    static QImage grab(QRect area);

    static void pause(int ms);
};

}  // namespace lectern::bench
