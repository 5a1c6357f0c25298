#include "PulseServer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace lectern::test {

PulseServer::PulseServer() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty()) {
        failure_ = QStringLiteral("pulseaudio is not installed");
        return;
    }
    oldRuntime_ = qgetenv("XDG_RUNTIME_DIR");
    oldServer_ = qgetenv("PULSE_SERVER");
    const QString socket = runtime_.path() + QStringLiteral("/pulse/native");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.insert(QStringLiteral("HOME"), runtime_.path());
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // -n: no default.pa, so no hardware is probed; the daemon stays in the
    // foreground as our child and never exits on idle.
    process_.start(
        program,
        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
         QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
         QStringLiteral("--log-level=error"), QStringLiteral("--load=module-null-sink"),
         QStringLiteral("--load=module-native-protocol-unix")});
    if (!process_.waitForStarted(5000)) {
        failure_ = QStringLiteral("pulseaudio does not start: ") + process_.errorString();
        return;
    }
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(socket) && waited.elapsed() < 10000 &&
           process_.state() == QProcess::Running)
        QThread::msleep(20);
    if (!QFileInfo::exists(socket)) {
        failure_ = QStringLiteral("pulseaudio did not open its socket");
        return;
    }
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
}

PulseServer::~PulseServer() {
    kill();
    if (oldRuntime_.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", oldRuntime_);
    if (oldServer_.isNull())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", oldServer_);
}

void PulseServer::kill() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

}  // namespace lectern::test
