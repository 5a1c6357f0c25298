#include "support/XWindows.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <stdexcept>

namespace lectern::test {
namespace {

void pause(XWindows::Milliseconds time) {
    QThread::msleep(static_cast<unsigned long>(time.count()));
}

}  // namespace

QString XWindows::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000))
        throw std::runtime_error(program.toStdString() + " did not finish");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString XWindows::findWindow(const QString& namePattern) {
    return run("xdotool", {"search", "--onlyvisible", "--name", namePattern}).section('\n', 0, 0);
}

QString XWindows::waitForWindow(const QString& namePattern, Milliseconds timeout,
                                Milliseconds poll) {
    QElapsedTimer clock;
    clock.start();
    do {
        const QString found = findWindow(namePattern);
        if (!found.isEmpty())
            return found;
        pause(poll);
    } while (clock.elapsed() < timeout.count());
    return {};
}

bool XWindows::waitForNoWindow(const QString& namePattern, Milliseconds timeout,
                               Milliseconds poll) {
    QElapsedTimer clock;
    clock.start();
    while (!findWindow(namePattern).isEmpty()) {
        if (clock.elapsed() > timeout.count())
            return false;
        pause(poll);
    }
    return true;
}

QRect XWindows::geometry(const QString& window) {
    QRect rect;
    for (const QString& line :
         run("xdotool", {"getwindowgeometry", "--shell", window}).split('\n')) {
        const int value = line.section('=', 1).toInt();
        if (line.startsWith("X="))
            rect.moveLeft(value);
        else if (line.startsWith("Y="))
            rect.moveTop(value);
        else if (line.startsWith("WIDTH="))
            rect.setWidth(value);
        else if (line.startsWith("HEIGHT="))
            rect.setHeight(value);
    }
    return rect;
}

QString XWindows::exactly(const QString& name) {
    QString pattern;
    for (const QChar c : name) {
        if (QStringLiteral("\\^$.|?*+()[]{}").contains(c))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return "^" + pattern + "$";
}

}  // namespace lectern::test
