#include "PulseServer.h"
#include "support/ForkedProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace lectern::test {

PulseServer::PulseServer() {
    oldRuntime_ = qgetenv("XDG_RUNTIME_DIR");
    oldServer_ = qgetenv("PULSE_SERVER");
    start();
}

void PulseServer::restart() {
    kill();
    failure_.clear();
    start();
}

void PulseServer::start() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty()) {
        failure_ = QStringLiteral("pulseaudio is not installed");
        return;
    }
    const QString socket = runtime_.path() + QStringLiteral("/pulse/native");
    QFile::remove(socket);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.insert(QStringLiteral("HOME"), runtime_.path());
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    useFork(process_);
    // -n: no default.pa, so no hardware is probed; the daemon stays in the
    // foreground as our child and never exits on idle.
    process_.start(
        program,
        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
         QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disallow-exit"),
         QStringLiteral("--log-level=error"), QStringLiteral("--load=module-null-sink"),
         // As on a desktop, a sink without streams suspends and wakes at once
         // for the next one (a null sink left running renders ahead in
         // blocks of 2 s, which a new stream would wait for).
         QStringLiteral("--load=module-suspend-on-idle timeout=1"),
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

QString pactl(const QStringList& arguments) {
    QProcess process;
    useFork(process);
    process.start(QStringLiteral("pactl"), arguments);
    if (!process.waitForFinished(5000) || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

}  // namespace lectern::test
