// Records into a sound file until killed: `media-record-helper <file> [silent]`.
// Prints "recording" once the recording runs.
#include "platform/files/CourseFiles.h"
#include "platform/media/SystemAudioEngine.h"
#include "platform/media/TMediaPlayer.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

using namespace lectern::platform;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    CourseFiles files;
    auto engine = argc > 2 ? createSilentAudioEngine(files) : createSystemAudioEngine(files);
    // A fresh sound server stream starts consuming about a second late.
    if (argc == 2)
        QThread::msleep(2000);
    TMediaPlayer recorder(*engine);
    recorder.SetFileName(QString::fromLocal8Bit(argv[1]));
    recorder.Open();
    recorder.StartRecording();
    // The capture stream takes a moment to deliver its first sound.
    for (int waited = 0; recorder.Position() == 0 && waited < 5000; waited += 5)
        QThread::msleep(5);
    std::printf("recording on %s\n", qPrintable(engine->deviceName()));
    std::fflush(stdout);
    return app.exec();
}
