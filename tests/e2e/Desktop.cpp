#include "e2e/Desktop.h"

#include <QThread>
#include <stdexcept>

// Xlib comes last: its macros clash with Qt names.
#include <X11/Xlib.h>

namespace lectern::test {

void Desktop::pause(Milliseconds time) {
    QThread::msleep(static_cast<unsigned long>(time.count()));
}

QString Desktop::waitForWindow(const QString& namePattern, Milliseconds timeout) {
    return XWindows::waitForWindow(namePattern, timeout, Milliseconds(200));
}

bool Desktop::windowVisible(const QString& namePattern) {
    return !findWindow(namePattern).isEmpty();
}

QString Desktop::windowName(const QString& window) {
    return run("xdotool", {"getwindowname", window});
}

QStringList Desktop::windowsOf(qint64 pid) {
    const QString found =
        run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid), "--name", ".*"});
    return found.isEmpty() ? QStringList() : found.split('\n');
}

void Desktop::closeWindow(const QString& window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        throw std::runtime_error("no X display");
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window.toULong();
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(display);
    pause(Milliseconds(300));
}

void Desktop::moveMouse(QPoint at) {
    run("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
    pause(Milliseconds(150));
}

void Desktop::click(QPoint at) {
    moveMouse(at);
    run("xdotool", {"click", "1"});
    pause(Milliseconds(150));
}

void Desktop::key(const QString& keys) {
    run("xdotool", {"key", keys});
    pause(Milliseconds(150));
}

QString Desktop::clipboard() {
    return run("xclip", {"-o", "-selection", "clipboard"});
}

QImage Desktop::screenshot() {
    QProcess process;
    process.start("import", {"-window", "root", "png:-"});
    if (!process.waitForFinished(20000))
        throw std::runtime_error("import did not finish");
    return QImage::fromData(process.readAllStandardOutput(), "PNG");
}

PlayerProcess::PlayerProcess(const QString& courseFolder) : PlayerProcess(courseFolder, {}) {}

PlayerProcess::PlayerProcess(const QString& workingFolder, const QStringList& arguments) {
    process_.setWorkingDirectory(workingFolder);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(playerProgram(), arguments);
    if (!process_.waitForStarted())
        throw std::runtime_error("the player did not start");
}

PlayerProcess::~PlayerProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

int PlayerProcess::waitForExit(Desktop::Milliseconds timeout) {
    if (!process_.waitForFinished(static_cast<int>(timeout.count())))
        return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QString playerProgram() {
    return QStringLiteral(LECTERN_PLAYER);
}

}  // namespace lectern::test
