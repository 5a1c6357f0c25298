#include "e2e/Desktop.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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

namespace {

// A window can go between being listed and being asked about: the error
// that brings is no failure of the test.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

Display* openDisplay() {
    XSetErrorHandler(ignoreError);
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        throw std::runtime_error("no X display");
    return display;
}

// The 32-bit items of a window property; empty when the window has none.
std::vector<unsigned long> property(const QString& window, const char* name) {
    Display* display = openDisplay();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window.toULong(), XInternAtom(display, name, False), 0, 64,
                           False, AnyPropertyType, &type, &format, &count, &after,
                           &data) == Success &&
        format == 32 && data) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    XCloseDisplay(display);
    return items;
}

}  // namespace

QStringList Desktop::windowsOf(qint64 pid) {
    // xdotool's search by process also answers the root window, which has
    // no process: only windows that name this one are kept.
    QStringList windows;
    const QString found =
        run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid), "--name", ".*"});
    for (const QString& window : found.split('\n', Qt::SkipEmptyParts)) {
        const std::vector<unsigned long> owner = property(window, "_NET_WM_PID");
        if (!owner.empty() && static_cast<qint64>(owner.front()) == pid)
            windows.append(window);
    }
    return windows;
}

bool Desktop::modal(const QString& window) {
    Display* display = openDisplay();
    const Atom modalState = XInternAtom(display, "_NET_WM_STATE_MODAL", False);
    XCloseDisplay(display);
    for (const unsigned long state : property(window, "_NET_WM_STATE"))
        if (state == modalState)
            return true;
    return false;
}

void Desktop::closeWindow(const QString& window) {
    Display* display = openDisplay();
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

int Desktop::screenNumber() {
    static const int number = [] {
        Display* display = openDisplay();
        const int n = DefaultScreen(display);
        XCloseDisplay(display);
        return n;
    }();
    return number;
}

QRect Desktop::screenArea() {
    Display* display = openDisplay();
    const QRect area(0, 0, DisplayWidth(display, DefaultScreen(display)),
                     DisplayHeight(display, DefaultScreen(display)));
    XCloseDisplay(display);
    return area;
}

Desktop::InputLock::InputLock() {
    static thread_local int depth = 0;
    depth_ = &depth;
    if (depth++ > 0)
        return;
    // One lock for every screen of the display (":99.1" locks ":99").
    const QString display = qEnvironmentVariable("DISPLAY").section('.', 0, 0).replace('/', '_');
    const QByteArray path = QFile::encodeName(QDir::tempPath() + "/lectern-e2e-input" + display);
    file_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file_ >= 0)
        ::flock(file_, LOCK_EX);
}

Desktop::InputLock::~InputLock() {
    if (--*depth_ > 0 || file_ < 0)
        return;
    ::flock(file_, LOCK_UN);
    ::close(file_);
}

void Desktop::moveMouse(QPoint at) {
    const InputLock lock;
    run("xdotool", {"mousemove", "--screen", QString::number(screenNumber()),
                    QString::number(at.x()), QString::number(at.y())});
    pause(Milliseconds(150));
}

void Desktop::click(QPoint at) {
    const InputLock lock;
    moveMouse(at);
    run("xdotool", {"click", "1"});
    pause(Milliseconds(150));
}

void Desktop::doubleClick(QPoint at) {
    const InputLock lock;
    moveMouse(at);
    run("xdotool", {"click", "--repeat", "2", "--delay", "80", "1"});
    pause(Milliseconds(150));
}

void Desktop::key(const QString& keys) {
    run("xdotool", {"key", keys});
    pause(Milliseconds(150));
}

void Desktop::keyTo(const QString& window, const QString& key) {
    // Sent to the window itself: xdotool would press the display's own key
    // when the window has the focus, and a press whose window closes on it
    // repeats into whichever window has the focus next.
    Display* display = openDisplay();
    XEvent event{};
    event.xkey.display = display;
    event.xkey.window = window.toULong();
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.same_screen = True;
    event.xkey.time = CurrentTime;
    event.xkey.keycode = XKeysymToKeycode(display, XStringToKeysym(key.toLatin1().constData()));
    for (const int type : {KeyPress, KeyRelease}) {
        event.xkey.type = type;
        XSendEvent(display, event.xkey.window, True,
                   type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    }
    XCloseDisplay(display);
    pause(Milliseconds(150));
}

QString Desktop::clipboard() {
    return run("xclip", {"-o", "-selection", "clipboard"});
}

QImage Desktop::grab(QRect area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

QImage Desktop::screenshot() {
    QProcess process;
    process.start("import", {"-window", "root", "png:-"});
    if (!process.waitForFinished(20000))
        throw std::runtime_error("import did not finish");
    return QImage::fromData(process.readAllStandardOutput(), "PNG");
}

PlayerProcess::PlayerProcess(const QString& courseFolder)
    : PlayerProcess(courseFolder, QStringList()) {}

PlayerProcess::PlayerProcess(const QString& workingFolder, const QStringList& arguments) {
    process_.setWorkingDirectory(workingFolder);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(playerProgram(), arguments);
    if (!process_.waitForStarted())
        throw std::runtime_error("the player did not start");
}

PlayerProcess::PlayerProcess(const QString& courseFolder, KeepErrors) {
    process_.setWorkingDirectory(courseFolder);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(playerProgram(), {});
    if (!process_.waitForStarted())
        throw std::runtime_error("the player did not start");
}

QString PlayerProcess::errorOutput() {
    errors_ += process_.readAllStandardError();
    return QString::fromLocal8Bit(errors_);
}

PlayerProcess::~PlayerProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void PlayerProcess::kill() {
    process_.kill();
    process_.waitForFinished(5000);
}

bool PlayerProcess::running() {
    return process_.state() != QProcess::NotRunning && !process_.waitForFinished(0);
}

int PlayerProcess::waitForExit(Desktop::Milliseconds timeout) {
    if (process_.state() != QProcess::NotRunning &&
        !process_.waitForFinished(static_cast<int>(timeout.count())))
        return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QString playerProgram() {
    return QStringLiteral(LECTERN_PLAYER);
}

}  // namespace lectern::test
