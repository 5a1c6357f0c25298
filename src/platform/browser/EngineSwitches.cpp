#include "platform/browser/EngineSwitches.h"

#include <QLoggingCategory>
#include <QStandardPaths>
#include <QString>
#include <utility>

namespace lectern::platform::EngineSwitches {

QByteArrayList switches() {
    // WebRTC: UDP only through a proxy, TCP through the proxy too, and the
    // proxy unreachable. The loopback addresses, which Chromium would let
    // bypass a proxy, go to it as well: a course has no business with local
    // services either. Everything else a page asks for passes the request
    // interceptor first.
    QByteArrayList list{"--force-webrtc-ip-handling-policy=disable_non_proxied_udp",
                        QByteArray("--proxy-server=") + unreachableProxy,
                        "--proxy-bypass-list=<-loopback>", "--no-pings", "--dns-prefetch-disable"};
    // Renderers start under a data limit (anonymous and heap memory; the
    // address space V8 and the allocator only reserve is not counted).
    const QString prlimit = QStandardPaths::findExecutable(QStringLiteral("prlimit"));
    if (!prlimit.isEmpty() && !prlimit.contains(QLatin1Char(' ')))
        list << QByteArray("\"--renderer-cmd-prefix=") + prlimit.toLocal8Bit() +
                    " --data=" + QByteArray::number(rendererDataBytes) + " --\"";
    return list;
}

void install() {
    static bool done = false;
    if (std::exchange(done, true))
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const QByteArray& flag : switches()) {
        if (!flags.contains(flag))
            flags += ' ' + flag;
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    // Pages reach screen readers only when the engine is told so.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    // The engine describes its graphics set-up and switches at every start;
    // nothing in it is for the learner. QT_LOGGING_RULES still turns it on.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

}  // namespace lectern::platform::EngineSwitches
