#include "app/FirstLessonOnScreen.h"

#include "app/XDesktop.h"

#include <QFile>
#include <stdexcept>

namespace lectern::bench {

namespace {

constexpr QRgb Highlight = 0xffe79a;

}  // namespace

QStringList readLines(const QString& path, const QString& separator, Qt::SplitBehavior empty) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll()).split(separator, empty);
}

FirstLessonOnScreen::FirstLessonOnScreen(const QString& player, const QString& course,
                                         const QProcessEnvironment& extra) {
    const QString title = readLines(course + "/wind.mtp").value(0);
    const QString caption = readLines(course + "/zagol.mtp").value(1);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", home_.path() + "/config");
    environment.insert("XDG_DATA_HOME", home_.path() + "/data");
    environment.insert(extra);
    player_.setProcessEnvironment(environment);
    player_.setWorkingDirectory(course);
    player_.setStandardOutputFile(QProcess::nullDevice());
    player_.start(player, {});
    if (!player_.waitForStarted())
        throw std::runtime_error("the player did not start");

    if (XDesktop::waitForWindow(XDesktop::exactly(title), 60000).isEmpty())
        throw std::runtime_error("no main window");
    XDesktop::pause(2000);
    for (const char* key : {"Right", "Down", "Return"})
        XDesktop::key(key);
    window_ = XDesktop::waitForWindow(XDesktop::exactly(caption), 30000);
    if (window_.isEmpty())
        throw std::runtime_error("no reading window");
}

FirstLessonOnScreen::~FirstLessonOnScreen() {
    stop();
}

void FirstLessonOnScreen::stop() {
    if (player_.state() == QProcess::NotRunning)
        return;
    player_.kill();
    player_.waitForFinished();
}

QRect FirstLessonOnScreen::waitForHighlight(QRect area) {
    QRect bounds;
    for (int i = 0; !(bounds = highlightBounds(XDesktop::grab(area))).isValid(); ++i) {
        if (i > 500)
            throw std::runtime_error("passage 1 is never highlighted");
        XDesktop::pause(20);
    }
    return bounds;
}

QRect FirstLessonOnScreen::highlightBounds(const QImage& shot) {
    QRect bounds;
    for (int y = 0; y < shot.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x)
            if ((row[x] & 0xffffff) == Highlight)
                bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

}  // namespace lectern::bench
