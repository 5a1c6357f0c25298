#pragma once

#include "support/XWindows.h"

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>

namespace lectern::test {

// The X display the end-to-end tests run on (Xvfb), reached through the
// same tools a person at a desktop would use: xdotool to move, click and
// type, ImageMagick's import to take screenshots, xclip for the clipboard.
class Desktop : public XWindows {
  public:
    // Waits up to `timeout` for a visible window whose name matches the
    // pattern; empty text when none came.
    static QString waitForWindow(const QString& namePattern, Milliseconds timeout);
    static bool windowVisible(const QString& namePattern);
    static QString windowName(const QString& window);
    // The visible windows of a process.
    static QStringList windowsOf(qint64 pid);
    // Asks the window to close, as its close button does.
    static void closeWindow(const QString& window);

    static void moveMouse(QPoint at);
    static void click(QPoint at);
    static void key(const QString& keys);
    static QString clipboard();
    static QImage screenshot();

    static void pause(Milliseconds time);
};

// The player started in a course folder, as a learner starts it.
class PlayerProcess {
  public:
    explicit PlayerProcess(const QString& courseFolder);
    // The player started elsewhere, with a command line.
    PlayerProcess(const QString& workingFolder, const QStringList& arguments);
    ~PlayerProcess();
    // Waits for the process to end; its exit code, or -1 when it did not end.
    int waitForExit(Desktop::Milliseconds timeout);
    qint64 pid() const { return process_.processId(); }
    bool running() const { return process_.state() != QProcess::NotRunning; }

  private:
    QProcess process_;
};

// The path of the player program (set by the build).
QString playerProgram();

}  // namespace lectern::test
