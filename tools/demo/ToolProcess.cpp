#include "demo/ToolProcess.h"

#include <QProcess>
#include <stdexcept>

namespace lectern::demo {

QByteArray runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    // Started with a plain fork(): Qt's vfork-like start blinds ThreadSanitizer
    // to this program's locks from then on.
    process.setChildProcessModifier([] {});
    process.start(program, arguments);
    const QString command = program + " " + arguments.join(' ');
    if (!process.waitForStarted()) {
        throw std::runtime_error("cannot start " + command.toStdString());
    }
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        throw std::runtime_error("timed out: " + command.toStdString());
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        throw std::runtime_error("failed: " + command.toStdString() + "\n" +
                                 process.readAllStandardError().toStdString());
    }
    return process.readAllStandardOutput();
}

}  // namespace lectern::demo
