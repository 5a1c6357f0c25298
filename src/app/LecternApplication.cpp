#include "app/LecternApplication.h"

#include "app/ClockLog.h"
#include "app/CommandLine.h"
#include "app/RecentCourse.h"
#include "app/WindowSet.h"
#include "app/WindowSystemStart.h"
#include "mainwindow/TMainFrm.h"
#include "platform/Error.h"
#include "platform/Version.h"
#include "platform/browser/CourseScheme.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "platform/desktop/DesktopShell.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/EventLoopModalRunner.h"
#include "platform/desktop/HandlerGuard.h"
#include "platform/desktop/QtDialogs.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/SystemAudioEngine.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

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

namespace {

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

// Answers the command lines that need no window; the exit status, or -1 to
// go on and play.
int answerWithoutWindows(const CommandLine& line, int argc, char** argv) {
    switch (line.action()) {
        case CommandLine::Action::ShowVersion:
            print(stdout, CommandLine::versionText());
            return 0;
        case CommandLine::Action::ShowHelp:
        case CommandLine::Action::Misuse: {
            // The help text names the program from the application object.
            const QCoreApplication application(argc, argv);
            const bool misuse = line.action() == CommandLine::Action::Misuse;
            if (misuse)
                print(stderr, QStringLiteral("lectern: ") + line.error() + QLatin1Char('\n'));
            print(misuse ? stderr : stdout, line.helpText());
            return misuse ? CommandLine::UsageStatus : 0;
        }
        case CommandLine::Action::Run:
            if (!line.folder().isEmpty()) {
                const QString problem = CommandLine::enterCourseFolder(line.folder());
                if (!problem.isEmpty()) {
                    print(stderr, QStringLiteral("lectern: ") + problem + QLatin1Char('\n'));
                    return CommandLine::UsageStatus;
                }
                RecentCourse::rememberCurrentFolder();
            }
            if (const QString problem = platform::CourseFiles::currentFolderProblem();
                !problem.isEmpty()) {
                print(stderr, QStringLiteral("lectern: ") + problem + QLatin1Char('\n'));
                return CommandLine::UsageStatus;
            }
            return -1;
        case CommandLine::Action::Choose:
            return -1;
    }
    return -1;
}

// The folder chooser of --choose; the exit status when the program ends
// here, or -1 when the chosen course is now the current folder.
int chooseCourse(platform::Dialogs& dialogs) {
    const QString folder = QFileDialog::getExistingDirectory(
        nullptr, QStringLiteral("Choose a course folder"), RecentCourse::startFolder());
    if (folder.isEmpty())
        return 0;
    QString problem = CommandLine::enterCourseFolder(folder);
    if (problem.isEmpty())
        problem = platform::CourseFiles::currentFolderProblem();
    if (!problem.isEmpty()) {
        dialogs.showError(problem);
        return CommandLine::UsageStatus;
    }
    RecentCourse::rememberCurrentFolder();
    return -1;
}

}  // namespace

int runLectern(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    const CommandLine line(arguments);
    // The folder given becomes the current folder before anything else.
    if (const int status = answerWithoutWindows(line, argc, argv); status >= 0)
        return status;

    platform::CourseScheme::registerScheme();  // before the application object
    // The command line is the player's own: Qt sees only the program name.
    int qtArgc = 1;
    std::optional<WindowSystemStart> windowSystem(std::in_place, CommandLine::UsageStatus);
    QApplication application(qtArgc, argv);
    windowSystem.reset();
    QApplication::setApplicationName(QStringLiteral("Lectern"));
    QApplication::setApplicationVersion(platform::productVersion());
    platform::QtDialogs dialogs;
    if (line.action() == CommandLine::Action::Choose)
        if (const int status = chooseCourse(dialogs); status >= 0)
            return status;
    const platform::HandlerGuard guard(dialogs);
    guard.run([&] {
        platform::CourseFiles files;
        platform::DesktopShell shell(files);
        platform::EventLoopModalRunner modal;
        platform::WebEngineBrowserEngine browsers(files);
        std::unique_ptr<platform::AudioEngine> audio =
            platform::createDeferredSystemAudioEngine(files);
        // After the windows: a sound server that hangs must not hang the
        // exit, so an engine whose thread is stuck in it is left to the
        // ending process.
        struct LeaveIfStuck {
            std::unique_ptr<platform::AudioEngine>& engine;
            ~LeaveIfStuck() {
                if (!engine->shutDown(2))
                    static_cast<void>(engine.release());
            }
        } leaveIfStuck{audio};
        platform::Platform platform{dialogs, shell, modal, files, browsers, *audio};
        WindowSet windows(platform);
        const std::unique_ptr<ClockLog> clockLog = ClockLog::fromEnvironment(*windows.ViewTxtFrm);
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
