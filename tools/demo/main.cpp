// lectern-make-demo: writes the bundled demo course, "A walk through the
// solar system", into a folder, then checks it with the course checker: the
// course must come out without a single problem or warning.
//
//   lectern-make-demo <folder>          build the course, then check it
//   lectern-make-demo --check <folder>  only check an existing course
//
// The course (content in DemoCourse.cpp) has three chapters and one lesson
// of every type: narrated reading, text and translation, recording guided by
// marks, recording along with the narration, replay of the learner's
// recording, multiple-choice quiz, written tests with and without saving,
// a timed recording and a sorting exercise. Pictures are drawn with
// QPainter; the narration is spoken by espeak-ng and joined with sox so that
// every passage ends exactly on its mark. Needs QT_QPA_PLATFORM=offscreen.
#include "check/CourseCheck.h"
#include "demo/CourseBuilder.h"
#include "platform/files/CourseFiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <exception>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    const bool checkOnly = args.size() == 2 && args[0] == "--check";
    if (args.size() != 1 && !checkOnly) {
        err << "usage: lectern-make-demo [--check] <course folder>\n";
        return 2;
    }
    const QString folder = args.last();
    try {
        if (!checkOnly) {
            using namespace lectern::demo;
            CourseBuilder(demoCourse(), CourseFolder(folder)).build();
        }
        if (!QDir::setCurrent(folder)) {
            err << "lectern-make-demo: cannot enter " << folder << "\n";
            return 1;
        }
        lectern::platform::CourseFiles files;
        const lectern::check::CheckReport report = lectern::check::CourseCheck(files).run();
        for (const lectern::check::Finding& finding : report.findings) {
            err << "demo course: " << finding.file << ":" << finding.line << ": " << finding.message
                << "\n";
        }
        return report.findings.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        err << "lectern-make-demo: " << e.what() << "\n";
        return 1;
    }
}
