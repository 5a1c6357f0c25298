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
    // Whether the window is modal (a message box, say), as the window
    // manager is told.
    static bool modal(const QString& window);
    // Asks the window to close, as its close button does.
    static void closeWindow(const QString& window);

    // The X screen of DISPLAY (":99.2" is screen 2) and its size. Test
    // programs run side by side on the screens of one display.
    static int screenNumber();
    static QRect screenArea();

    // Holds the display's one pointer for a sequence of moves and clicks
    // against the test programs driving its other screens.
    class InputLock {
      public:
        InputLock();
        ~InputLock();
        InputLock(const InputLock&) = delete;
        InputLock& operator=(const InputLock&) = delete;

      private:
        int* depth_;
        int file_ = -1;
    };

    static void moveMouse(QPoint at);
    static void click(QPoint at);
    static void doubleClick(QPoint at);
    // Types into the focused window.
    static void key(const QString& keys);
    // Presses one key (an X key name: "Return") in this window, whichever
    // window has the focus (Xvfb runs no window manager to hand the focus on
    // when a box closes).
    static void keyTo(const QString& window, const QString& key);
    static QString clipboard();
    static QImage screenshot();
    // A part of the screen, straight from the X server: fast enough to
    // follow the highlight from passage to passage.
    static QImage grab(QRect area);

    static void pause(Milliseconds time);
};

// The player started in a course folder, as a learner starts it.
class PlayerProcess {
  public:
    explicit PlayerProcess(const QString& courseFolder);
    // The player started elsewhere, with a command line.
    PlayerProcess(const QString& workingFolder, const QStringList& arguments);
    // The player started in a course folder, its standard error kept for
    // errorOutput() rather than passed on.
    struct KeepErrors {};
    PlayerProcess(const QString& courseFolder, KeepErrors);
    ~PlayerProcess();
    // Ends the process at once, as `kill -9` does, and waits until it has gone.
    void kill();
    // Waits for the process to end; its exit code, or -1 when it did not end.
    int waitForExit(Desktop::Milliseconds timeout);
    qint64 pid() const { return process_.processId(); }
    // Whether the process still runs (a process that ended is seen at once,
    // without an event loop).
    bool running();
    // What the process wrote on standard error so far (when kept).
    QString errorOutput();

  private:
    QProcess process_;
    QByteArray errors_;
};

// The path of the player program (set by the build).
QString playerProgram();

}  // namespace lectern::test
