#include "app/WindowSystemStart.h"

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include <unistd.h>

namespace lectern::app {

namespace {
// One watch at a time: the application object is made once.
int status = 0;
// What Qt said during the start, passed on when the start worked.
struct Held {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<Held> held;

// Standard error itself, while a file stands in for it during the start.
int heldErrors = -1;
std::FILE* errorsOfStart = nullptr;

void holdStandardError() {
    std::fflush(stderr);
    errorsOfStart = std::tmpfile();
    if (!errorsOfStart)
        return;  // nothing can hold it: the start's chatter shows as it comes
    heldErrors = ::dup(STDERR_FILENO);
    if (heldErrors < 0 || ::dup2(::fileno(errorsOfStart), STDERR_FILENO) < 0) {
        if (heldErrors >= 0)
            ::close(heldErrors);
        heldErrors = -1;
        std::fclose(errorsOfStart);
        errorsOfStart = nullptr;
    }
}

// Gives standard error back; what was written meanwhile follows it when
// `passOn`, and is dropped otherwise.
void releaseStandardError(bool passOn) {
    if (heldErrors < 0)
        return;
    std::fflush(stderr);
    ::dup2(heldErrors, STDERR_FILENO);
    ::close(heldErrors);
    heldErrors = -1;
    if (passOn) {
        std::rewind(errorsOfStart);
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, errorsOfStart)) > 0;)
            std::fwrite(buffer, 1, n, stderr);
        std::fflush(stderr);
    }
    std::fclose(errorsOfStart);
    errorsOfStart = nullptr;
}

}  // namespace

WindowSystemStart::WindowSystemStart(int failureStatus) {
    status = failureStatus;
    held.clear();
    holdStandardError();
    previous_ = qInstallMessageHandler(&WindowSystemStart::watch);
}

WindowSystemStart::~WindowSystemStart() {
    qInstallMessageHandler(previous_);
    releaseStandardError(true);
    for (const Held& message : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    held.clear();
}

QString WindowSystemStart::failureLine(const QString& reason) {
    return QStringLiteral(
               "lectern: no window can be opened (%1); start Lectern on an X11 or "
               "Wayland desktop (Wayland needs the package qt6-wayland)\n")
        .arg(reason.trimmed());
}

void WindowSystemStart::watch(QtMsgType type, const QMessageLogContext& context,
                              const QString& text) {
    if (type != QtFatalMsg) {
        held.append({type, QByteArray(context.category ? context.category : ""), text});
        return;
    }
    // The first thing Qt said names the plugin and why it failed; the fatal
    // message itself is a page of advice for developers, and what the
    // plugin's libraries wrote by themselves is said again by Qt.
    QString reason = QStringLiteral("no Qt platform plugin could be started");
    for (const Held& message : std::as_const(held)) {
        if (message.category.startsWith("qt.qpa")) {
            reason = message.text;
            break;
        }
    }
    const QByteArray line = failureLine(reason).toLocal8Bit();
    releaseStandardError(false);
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    std::_Exit(status);
}

}  // namespace lectern::app
