#include "app/WindowSystemStart.h"

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <utility>

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
}  // namespace

WindowSystemStart::WindowSystemStart(int failureStatus) {
    status = failureStatus;
    held.clear();
    previous_ = qInstallMessageHandler(&WindowSystemStart::watch);
}

WindowSystemStart::~WindowSystemStart() {
    qInstallMessageHandler(previous_);
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
    // message itself is a page of advice for developers.
    QString reason = QStringLiteral("no Qt platform plugin could be started");
    for (const Held& message : std::as_const(held)) {
        if (message.category.startsWith("qt.qpa")) {
            reason = message.text;
            break;
        }
    }
    const QByteArray line = failureLine(reason).toLocal8Bit();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    std::_Exit(status);
}

}  // namespace lectern::app
