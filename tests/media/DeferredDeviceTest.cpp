// An engine whose device opens on the engine's own thread: start-up and the
// window never wait for the sound system, a device that fails gives way to
// a fallback, and one that comes back takes the sound back.
#include "doubles/ManualClock.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/AudioEngine.h"
#include "platform/media/TMediaPlayer.h"
#include "support/TempDir.h"
#include "support/WavFiles.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace lectern;

namespace {

struct DeferredEngine {
    DeferredEngine() {
        test::writeTone(dir.path() + "/tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 5000);
        test::writeTone(dir.path() + "/temp1.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16000, 1, 0);
    }
    platform::AudioEngine::Opener opener(platform::AudioDevice::Format format = {}) {
        return [this, format] {
            ++opened;
            openedOn = QThread::currentThread();
            auto device = std::make_unique<test::ManualClock>(format);
            clock = device.get();
            return std::unique_ptr<platform::AudioDevice>(std::move(device));
        };
    }
    platform::AudioEngine::Fallback fallback() {
        return [this](const platform::AudioDevice::Format& format) {
            auto device = std::make_unique<test::ManualClock>(format);
            fallbackClock = device.get();
            return std::unique_ptr<platform::AudioDevice>(std::move(device));
        };
    }
    std::unique_ptr<platform::TMediaPlayer> open(platform::AudioEngine& engine,
                                                 const QString& name) {
        auto player = std::make_unique<platform::TMediaPlayer>(engine);
        player->SetFileName(dir.path() + "\\" + name);
        player->Open();
        return player;
    }

    test::TempDir dir;
    platform::CourseFiles files;
    std::atomic<int> opened = 0;
    std::atomic<QThread*> openedOn = nullptr;
    std::atomic<test::ManualClock*> clock = nullptr;
    std::atomic<test::ManualClock*> fallbackClock = nullptr;
};

bool waitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer waited;
    waited.start();
    while (!condition() && waited.elapsed() < ms)
        QThread::msleep(10);
    return condition();
}

}  // namespace

TEST(DeferredDevice, OpensOnTheEnginesThreadAndStartsAStreamOnlyForSound) {
    DeferredEngine f;
    platform::AudioEngine engine(f.files, f.opener());
    auto player = f.open(engine, "tone.wav");
    engine.settle();
    EXPECT_EQ(f.opened, 0) << "opening a sound opens no device";

    engine.openDeviceAside();
    engine.settle();
    EXPECT_EQ(f.opened, 1);
    EXPECT_NE(f.openedOn, QThread::currentThread());
    EXPECT_FALSE(f.clock.load()->outputStarted()) << "no stream before a sound plays";

    player->Seek(1000);
    player->Play();
    engine.settle();
    EXPECT_TRUE(f.clock.load()->outputStarted());
    EXPECT_FALSE(f.clock.load()->inputStarted()) << "no capture without a recording";
    EXPECT_EQ(player->Position(), 1000) << "a stream not yet heard does not move the position";
    f.clock.load()->advance(500);
    EXPECT_EQ(player->Position(), 1500);
    EXPECT_EQ(f.opened, 1);
}

TEST(DeferredDevice, AnEngineClosedWhileItsDeviceOpensWaitsForIt) {
    DeferredEngine f;
    std::atomic<bool> opening = false;
    {
        platform::AudioEngine engine(f.files, [&] {
            opening = true;
            QThread::msleep(100);
            return f.opener()();
        });
        engine.openDeviceAside();
        ASSERT_TRUE(waitFor([&] { return opening.load(); }, 5000));
    }
    EXPECT_EQ(f.opened, 1);
}

TEST(DeferredDevice, VoicesAndARecordingGoOnOnADeviceThatComesBack) {
    DeferredEngine f;
    platform::AudioEngine engine(f.files, f.opener(), 48000, f.fallback());
    auto player = f.open(engine, "tone.wav");
    auto recorder = f.open(engine, "temp1.wav");
    player->Play();
    recorder->StartRecording();
    engine.settle();
    ASSERT_NE(f.clock.load(), nullptr);
    EXPECT_EQ(f.fallbackClock.load(), nullptr)
        << "a device that opens is used from the first sound";
    EXPECT_TRUE(f.clock.load()->inputStarted());
    f.clock.load()->advance(1000);
    EXPECT_EQ(player->Position(), 1000);
    EXPECT_EQ(recorder->Position(), 1000);

    test::ManualClock* lost = f.clock;
    lost->fail();
    ASSERT_TRUE(waitFor([&] { return engine.deviceName() == "silent clock"; }, 2000));
    engine.settle();
    ASSERT_NE(f.fallbackClock.load(), nullptr);
    f.fallbackClock.load()->advance(500);
    EXPECT_EQ(player->Position(), 1500) << "the fallback clock runs on";
    EXPECT_EQ(recorder->Position(), 1500);

    // The device is tried again every 2 s while sound is wanted.
    ASSERT_TRUE(
        waitFor([&] { return f.opened == 2 && engine.deviceName() == "manual clock"; }, 5000));
    engine.settle();
    EXPECT_NE(f.clock.load(), lost);
    EXPECT_EQ(player->Position(), 1500) << "from where it was heard";
    f.clock.load()->advance(700);
    EXPECT_EQ(player->Position(), 2200);
    EXPECT_EQ(recorder->Position(), 2200);
    recorder->Stop();
    recorder->Save();
    EXPECT_NEAR(test::readWav(f.dir.path() + "/temp1.wav").ms(), 2200, 1)
        << "the recording went on into the same file";
    engine.settle();
    EXPECT_FALSE(f.clock.load()->inputStarted()) << "the capture stream ends with the recording";
}

TEST(DeferredDevice, WithoutAMicrophoneARecordingRunsOnTheFallbackBesideTheSound) {
    DeferredEngine f;
    platform::AudioDevice::Format noInput;
    noInput.inputChannels = 0;
    platform::AudioEngine engine(f.files, f.opener(noInput), 48000, f.fallback());
    auto player = f.open(engine, "tone.wav");
    auto recorder = f.open(engine, "temp1.wav");
    int told = 0;
    QObject::connect(recorder.get(), &platform::TMediaPlayer::MicrophoneMissing, [&] { ++told; });
    player->Play();
    recorder->StartRecording();
    engine.settle();
    QCoreApplication::processEvents();
    EXPECT_EQ(told, 1) << "the learner is told, from the engine's thread";
    EXPECT_TRUE(f.clock.load()->outputStarted());
    ASSERT_NE(f.fallbackClock.load(), nullptr);
    EXPECT_TRUE(f.fallbackClock.load()->inputStarted());
    f.clock.load()->advance(400);
    f.fallbackClock.load()->advance(400);
    EXPECT_EQ(player->Position(), 400);
    EXPECT_EQ(recorder->Position(), 400);
    recorder->Stop();
    recorder->Save();
    EXPECT_NEAR(test::readWav(f.dir.path() + "/temp1.wav").ms(), 400, 1) << "silence, timed";
}

namespace {

// A device whose server accepted the connection and then hangs in `open`
// or in stopping a stream, until the test lets it go.
struct HangingServer {
    void hang() {
        std::unique_lock lock(mutex);
        hung = true;
        cv.wait(lock, [&] { return released; });
    }
    void release() {
        std::lock_guard lock(mutex);
        released = true;
        cv.notify_all();
    }
    std::mutex mutex;
    std::condition_variable cv;
    bool hung = false;
    bool released = false;
};

class HangingClock : public test::ManualClock {
  public:
    explicit HangingClock(HangingServer& server) : server_(server) {}
    void stopOutput() override {
        server_.hang();
        ManualClock::stopOutput();
    }
    bool immediate() const override { return false; }

  private:
    HangingServer& server_;
};

}  // namespace

TEST(DeferredDevice, AServerThatHangsNeverHoldsUpTheWindowNorTheExit) {
    for (const bool inOpen : {true, false}) {
        SCOPED_TRACE(inOpen ? "hangs in open" : "hangs in stop");
        DeferredEngine f;
        HangingServer server;
        platform::AudioEngine engine(f.files, [&] {
            if (inOpen)
                server.hang();
            return std::unique_ptr<platform::AudioDevice>(new HangingClock(server));
        });
        const auto hung = [&] {
            std::lock_guard lock(server.mutex);
            return server.hung;
        };
        if (inOpen) {
            engine.openDeviceAside();
            ASSERT_TRUE(waitFor(hung, 1000));
        }
        {
            auto player = f.open(engine, "tone.wav");
            QElapsedTimer calls;
            calls.start();
            player->Play();
            if (!inOpen)
                engine.settle();
            for (int i = 0; i < 10; ++i)
                EXPECT_EQ(player->Position(), 0);
            player->Stop();
            EXPECT_LT(calls.elapsed(), 500) << "the window's calls never wait";
        }
        QElapsedTimer exit;
        exit.start();
        EXPECT_FALSE(engine.shutDown(0.2)) << "the thread is still inside the server";
        EXPECT_LT(exit.elapsed(), 1000);
        EXPECT_TRUE(hung());
        server.release();
        EXPECT_TRUE(engine.shutDown(5)) << "the thread ends once the server answers";
    }
}

// An open that hangs holds nothing up for more than its deadline: the lesson
// and the recording go on on the silent clock, and the device is taken when
// its server answers.
TEST(DeferredDevice, AnOpenThatHangsGivesWayToTheSilentClockUntilTheDeviceComes) {
    DeferredEngine f;
    HangingServer server;
    platform::AudioEngine engine(f.files, [&] {
        server.hang();
        return f.opener()();
    });
    const std::shared_ptr<void> releaseAtTheEnd(nullptr, [&](void*) { server.release(); });
    auto player = f.open(engine, "tone.wav");
    auto recorder = f.open(engine, "temp1.wav");
    int told = 0;
    QObject::connect(recorder.get(), &platform::TMediaPlayer::MicrophoneMissing, [&] { ++told; });
    QElapsedTimer waited;
    waited.start();
    player->Play();
    recorder->StartRecording();
    ASSERT_TRUE(
        waitFor([&] { return player->Position() > 100 && recorder->Position() > 100; }, 3000))
        << "the silent clock runs within 3 s";
    EXPECT_LT(waited.elapsed(), 3000);
    EXPECT_EQ(engine.deviceName(), "silent clock");
    // Told from the engine's thread once it has asked for the device, which
    // on a slow machine may come after the positions have moved.
    EXPECT_TRUE(waitFor(
        [&] {
            QCoreApplication::processEvents();
            return told > 0;
        },
        3000));
    EXPECT_EQ(told, 1);

    server.release();
    ASSERT_TRUE(waitFor([&] { return engine.deviceName() == "manual clock"; }, 2000));
    engine.settle();
    EXPECT_EQ(f.opened, 1) << "the open that hung is the one used";
    test::ManualClock& device = *f.clock.load();
    EXPECT_TRUE(device.outputStarted());
    ASSERT_TRUE(device.inputStarted());
    const int recorded = recorder->Position();
    device.advance(500);
    EXPECT_EQ(recorder->Position(), recorded + 500) << "the recording goes on on the device";
    recorder->Stop();
    EXPECT_NEAR(test::readWav(f.dir.path() + "/temp1.wav").ms(), recorded + 500, 1);
}
