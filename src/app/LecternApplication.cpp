#include "app/LecternApplication.h"

#include "app/WindowSet.h"
#include "main/TMainFrm.h"
#include "platform/CourseFiles.h"
#include "platform/DesktopShell.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/EventLoopModalRunner.h"
#include "platform/HandlerGuard.h"
#include "platform/QtDialogs.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "platform/media/SystemAudioEngine.h"

#include <QApplication>
#include <QTimer>
#include <memory>

namespace lectern::app {
namespace {

// Ends the program when the main window closes, even if some other window
// were left on the screen.
class QuitWhenClosed : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }
};

}  // namespace

int runLectern(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lectern"));
    platform::QtDialogs dialogs;
    const platform::HandlerGuard guard(dialogs);
    guard.run([&] {
        platform::CourseFiles files;
        platform::DesktopShell shell(files);
        platform::EventLoopModalRunner modal;
        platform::WebEngineBrowserEngine browsers(files);
        const std::unique_ptr<platform::AudioEngine> audio =
            platform::createDeferredSystemAudioEngine(files);
        platform::Platform platform{dialogs, shell, modal, files, browsers, *audio};
        WindowSet windows(platform);
        QuitWhenClosed quitWhenClosed;
        windows.MainFrm->installEventFilter(&quitWhenClosed);
        windows.MainFrm->show();
        // The sound system opens while the learner looks at the main window.
        QTimer::singleShot(0, [&audio] { audio->openDeviceAside(); });
        QApplication::exec();
    });
    return 0;
}

}  // namespace lectern::app
