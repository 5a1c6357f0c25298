// The yardstick for the player's start-up: a bare Qt WebEngine program that
// shows one page in a window of the main window's size.
// Usage: bare-webengine <page file> <window title>
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    QWebEngineView view;
    view.setWindowTitle(QString::fromLocal8Bit(argv[2]));
    view.resize(1000, 675);
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    view.show();
    return QApplication::exec();
}
