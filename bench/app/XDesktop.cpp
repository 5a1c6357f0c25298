#include "app/XDesktop.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <stdexcept>

namespace lectern::bench {
namespace {

QString run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(20000))
        throw std::runtime_error("xdotool did not finish");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

}  // namespace

void XDesktop::pause(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

QString XDesktop::findWindow(const QString& namePattern) {
    return run({"search", "--onlyvisible", "--name", namePattern}).section('\n', 0, 0);
}

QString XDesktop::waitForWindow(const QString& namePattern, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    do {
        const QString found = findWindow(namePattern);
        if (!found.isEmpty())
            return found;
        pause(20);
    } while (clock.elapsed() < timeoutMs);
    return {};
}

bool XDesktop::waitForNoWindow(const QString& namePattern, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!findWindow(namePattern).isEmpty()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        pause(50);
    }
    return true;
}

QRect XDesktop::geometry(const QString& window) {
    QRect rect;
    for (const QString& line : run({"getwindowgeometry", "--shell", window}).split('\n')) {
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

void XDesktop::click(QPoint at) {
    run({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

void XDesktop::key(const QString& keys) {
    run({"key", keys});
    pause(100);
}

QImage XDesktop::grab(QRect area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

QString XDesktop::exactly(const QString& name) {
    QString pattern;
    for (const QChar c : name) {
        if (QStringLiteral("\\^$.|?*+()[]{}").contains(c))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return "^" + pattern + "$";
}

}  // namespace lectern::bench
