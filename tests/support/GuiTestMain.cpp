// Test entry for every test program: a QApplication exists for the whole run,
// so that windows can be built (offscreen, or under Xvfb for the web engine).
#include "platform/browser/CourseScheme.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    // Windows are held to the screen: the offscreen screen is as large as a
    // desktop's, so that the courses' window sizes fit as they stand.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" LECTERN_SOURCE_DIR "/tests/support/offscreen-screen.json");
    lectern::platform::CourseScheme::registerScheme();  // before the application object
    QApplication app(argc, argv);
    // What the program remembers goes to a folder of the run's own, never
    // to the user's settings.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    // So does what it keeps as data (the learner's takes).
    qputenv("XDG_DATA_HOME", QFile::encodeName(settings.path() + QStringLiteral("/data")));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
