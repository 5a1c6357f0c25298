// An engine whose device opens later: start-up does not wait for the sound
// system, and the first sound opened still finds its device.
#include "doubles/ManualClock.h"
#include "media/WavFiles.h"
#include "platform/CourseFiles.h"
#include "platform/media/AudioEngine.h"
#include "platform/media/TMediaPlayer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <QThread>
#include <atomic>

using namespace lectern;

namespace {

struct DeferredEngine {
    DeferredEngine() {
        test::writeTone(dir.path() + "/tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 2000);
    }
    platform::AudioEngine::Opener opener() {
        return [this] {
            ++opened;
            openedOn = QThread::currentThread();
            auto device = std::make_unique<test::ManualClock>();
            clock = device.get();
            return std::unique_ptr<platform::AudioDevice>(std::move(device));
        };
    }

    test::TempDir dir;
    platform::CourseFiles files;
    std::atomic<int> opened = 0;
    std::atomic<QThread*> openedOn = nullptr;
    std::atomic<test::ManualClock*> clock = nullptr;
};

}  // namespace

TEST(DeferredDevice, OpensWhenTheFirstSoundNeedsIt) {
    DeferredEngine f;
    platform::AudioEngine engine(f.files, f.opener());
    platform::TMediaPlayer player(engine);
    EXPECT_EQ(f.opened, 0) << "building the players opens nothing";

    player.SetFileName(f.dir.path() + "\\tone.wav");
    player.Open();
    EXPECT_EQ(f.opened, 1);
    EXPECT_EQ(f.openedOn, QThread::currentThread());
    player.Play();
    f.clock.load()->advance(500);
    EXPECT_EQ(player.Position(), 500);
}

TEST(DeferredDevice, OpensAsideAndTheFirstSoundWaitsForIt) {
    DeferredEngine f;
    platform::AudioEngine engine(f.files, f.opener());
    engine.openDeviceAside();
    platform::TMediaPlayer player(engine);
    player.SetFileName(f.dir.path() + "\\tone.wav");
    player.Open();
    EXPECT_EQ(f.opened, 1);
    EXPECT_NE(f.openedOn, QThread::currentThread());
    player.Play();
    f.clock.load()->advance(250);
    EXPECT_EQ(player.Position(), 250);
}

TEST(DeferredDevice, AnEngineClosedWhileItsDeviceOpensWaitsForIt) {
    DeferredEngine f;
    {
        platform::AudioEngine engine(f.files, [&f] {
            QThread::msleep(100);
            return f.opener()();
        });
        engine.openDeviceAside();
        engine.checkDevice();
    }
    EXPECT_EQ(f.opened, 1);
}
