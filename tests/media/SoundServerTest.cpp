#include "SoundServerTest.h"

#include "platform/media/SystemAudioEngine.h"

#include <QElapsedTimer>
#include <QThread>

namespace lectern::test {

void SoundServerTest::SetUp() {
    if (!pulse.failure().isEmpty())
        GTEST_SKIP() << pulse.failure().toStdString();
    if (device_ == Device::Deferred) {
        engine = platform::createDeferredSystemAudioEngine(files);
        engine->openDeviceAside();
    } else {
        engine = platform::createSystemAudioEngine(files);
    }
}

std::unique_ptr<platform::TMediaPlayer> SoundServerTest::open(const QString& name) const {
    auto player = std::make_unique<platform::TMediaPlayer>(*engine);
    player->SetFileName(dir.path() + "\\" + name);
    player->Open();
    return player;
}

int SoundServerTest::streams(const char* kind) {
    return int(pactl({QStringLiteral("list"), QStringLiteral("short"), QString::fromLatin1(kind)})
                   .count('\n'));
}

bool SoundServerTest::waitForStreams(const char* kind, int count, int ms) {
    QElapsedTimer waited;
    waited.start();
    while (streams(kind) != count) {
        if (waited.elapsed() > ms)
            return false;
        QThread::msleep(100);
    }
    return true;
}

}  // namespace lectern::test
