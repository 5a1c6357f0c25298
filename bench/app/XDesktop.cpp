#include "app/XDesktop.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>

namespace lectern::bench {
namespace {

QString xdotool(const QStringList& arguments) {
    return test::XWindows::run("xdotool", arguments);
}

}  // namespace

void XDesktop::pause(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

QString XDesktop::waitForWindow(const QString& namePattern, int timeoutMs) {
    return XWindows::waitForWindow(namePattern, Milliseconds(timeoutMs), Milliseconds(20));
}

bool XDesktop::waitForNoWindow(const QString& namePattern, int timeoutMs) {
    return XWindows::waitForNoWindow(namePattern, Milliseconds(timeoutMs), Milliseconds(50));
}

void XDesktop::click(QPoint at) {
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

void XDesktop::key(const QString& keys) {
    xdotool({"key", keys});
    pause(100);
}

QImage XDesktop::grab(QRect area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

}  // namespace lectern::bench
