#include "app/CommandLine.h"

#include "platform/Version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace lectern::app {

namespace {

// The options as QCommandLineParser wants them; help and version are
// answered here rather than by the parser, which would end the process.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption choose{
        QStringLiteral("choose"),
        QStringLiteral("Ask for the course folder, starting at the last course used. "
                       "A COURSE_FOLDER given as well is opened without asking.")};

    Options() {
        parser.setApplicationDescription(
            QStringLiteral("Plays a narrated multimedia course. Without COURSE_FOLDER, the "
                           "current folder is the course."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(choose);
        parser.addPositionalArgument(QStringLiteral("COURSE_FOLDER"),
                                     QStringLiteral("The folder that holds the course."),
                                     QStringLiteral("[COURSE_FOLDER]"));
    }
};

}  // namespace

CommandLine::CommandLine(const QStringList& arguments) {
    Options options;
    if (!options.parser.parse(arguments)) {
        action_ = Action::Misuse;
        error_ = options.parser.errorText();
        return;
    }
    if (options.parser.isSet(options.help)) {
        action_ = Action::ShowHelp;
        return;
    }
    if (options.parser.isSet(options.version)) {
        action_ = Action::ShowVersion;
        return;
    }
    const QStringList positional = options.parser.positionalArguments();
    if (positional.size() > 1) {
        action_ = Action::Misuse;
        error_ = QStringLiteral("Only one course folder can be given.");
        return;
    }
    if (!positional.isEmpty()) {
        folder_ = positional.front();
        if (folder_.isEmpty()) {
            action_ = Action::Misuse;
            error_ = QStringLiteral("The course folder is empty text.");
        }
        return;
    }
    if (options.parser.isSet(options.choose))
        action_ = Action::Choose;
}

QString CommandLine::helpText() const {
    return Options().parser.helpText();
}

QString CommandLine::versionText() {
    return QStringLiteral("lectern ") + platform::productVersion() + QLatin1Char('\n');
}

QString CommandLine::enterCourseFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists())
        return QStringLiteral("There is no folder %1.").arg(folder);
    if (!info.isDir())
        return QStringLiteral("%1 is not a folder.").arg(folder);
    // Listing needs read access, entering needs search access.
    if (!info.isReadable() || !info.isExecutable() || !QDir::setCurrent(folder) ||
        !QDir(QStringLiteral(".")).isReadable())
        return QStringLiteral("The folder %1 cannot be read.").arg(folder);
    return {};
}

}  // namespace lectern::app
