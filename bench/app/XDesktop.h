#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

namespace lectern::bench {

// The X display the benchmark drives programs on, through xdotool as a
// person at the desktop would; pictures come straight from the X server.
class XDesktop {
  public:
    // The first visible window whose name matches the pattern (xdotool's
    // extended regular expressions), or empty text when there is none now.
    static QString findWindow(const QString& namePattern);
    // Waits up to `timeoutMs` for such a window.
    static QString waitForWindow(const QString& namePattern, int timeoutMs);
    // Waits up to `timeoutMs` until no such window is visible.
    static bool waitForNoWindow(const QString& namePattern, int timeoutMs);
    static QRect geometry(const QString& window);

    static void click(QPoint at);
    static void key(const QString& keys);
    // A part of the screen as it is shown now.
    static QImage grab(QRect area);

    static void pause(int ms);
    // A pattern that matches exactly this window name.
    static QString exactly(const QString& name);
};

}  // namespace lectern::bench
