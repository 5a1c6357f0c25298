// lectern-check [--json] [FOLDER]: loads a course as the player does and
// lists everything wrong with it. Exit status 0 for a clean course, 1 when
// there are problems, 2 when the folder cannot be read or the command line
// is mistaken.
#include "check/CourseCheck.h"
#include "platform/Version.h"
#include "platform/files/CourseFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lectern-check"));
    QCoreApplication::setApplicationVersion(lectern::platform::productVersion());
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists every problem of a Lectern course: missing or unreadable files, "
                       "bad values, marks that do not fit their pages or sounds."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the findings as JSON for tools."));
    parser.addOption(json);
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The course folder (default: the current folder)."),
                                 QStringLiteral("[FOLDER]"));
    // Mistakes end with status 2, which 1 (problems found) would hide.
    if (!parser.parse(QCoreApplication::arguments())) {
        const QByteArray text =
            ("lectern-check: " + parser.errorText() + "\n" + parser.helpText()).toLocal8Bit();
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
        return 2;
    }
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() > 1) {
        std::fputs("lectern-check: one course folder at most\n", stderr);
        return 2;
    }
    const QString folder = arguments.isEmpty() ? QStringLiteral(".") : arguments.front();
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable() || !QDir::setCurrent(folder) ||
        !QDir(QStringLiteral(".")).exists()) {
        std::fprintf(stderr, "lectern-check: cannot read the folder %s\n",
                     QFile::encodeName(folder).constData());
        return 2;
    }

    if (const QString problem = lectern::platform::CourseFiles::currentFolderProblem();
        !problem.isEmpty()) {
        std::fprintf(stderr, "lectern-check: %s\n", problem.toLocal8Bit().constData());
        return 2;
    }
    lectern::platform::CourseFiles files;
    const lectern::check::CheckReport report = lectern::check::CourseCheck(files).run();
    const QByteArray out = parser.isSet(json) ? report.toJson() : report.toText().toUtf8();
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    return report.exitStatus();
}
