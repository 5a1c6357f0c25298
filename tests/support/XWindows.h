#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>

namespace lectern::test {

// Windows on the X display as xdotool sees them. The end-to-end tests and
// the desktop benchmarks share it, so it needs nothing beyond Qt Core.
class XWindows {
  public:
    using Milliseconds = std::chrono::milliseconds;

    // Runs a program to its end and returns what it wrote, trimmed; throws
    // when it takes over 20 seconds.
    static QString run(const QString& program, const QStringList& arguments);
    // The first visible window whose name matches the pattern (xdotool's
    // extended regular expressions), or empty text when there is none now.
    static QString findWindow(const QString& namePattern);
    // Waits up to `timeout` for such a window, looking every `poll`; empty
    // text when none came.
    static QString waitForWindow(const QString& namePattern, Milliseconds timeout,
                                 Milliseconds poll);
    // Waits up to `timeout` until no such window is visible.
    static bool waitForNoWindow(const QString& namePattern, Milliseconds timeout,
                                Milliseconds poll);
    static QRect geometry(const QString& window);
    // A pattern that matches exactly this window name.
    static QString exactly(const QString& name);
};

}  // namespace lectern::test
