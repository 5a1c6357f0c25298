#include "SoundServerTest.h"
#include "support/ForkedProcess.h"
#include "support/WavFiles.h"

#include "platform/files/CourseFiles.h"
#include "platform/media/SystemAudioEngine.h"
#include "platform/media/TMediaPlayer.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <cstdio>

using lectern::platform::CourseFiles;
using lectern::platform::TMediaPlayer;
using namespace lectern::test;

namespace {

// Checks over `ms` milliseconds that the player's position moves with the
// wall clock from where it stands: it may lag or lead by at most `tolerance`.
void expectFollowsRealTime(TMediaPlayer& player, int ms, int tolerance, const char* what) {
    QElapsedTimer clock;
    clock.start();
    const int start = player.Position();
    int worst = 0;
    while (clock.elapsed() < ms) {
        QThread::msleep(37);
        // The reading lies between the two times: a test thread preempted
        // in between is not the engine's error.
        const long long before = clock.elapsed();
        const int moved = player.Position() - start;
        const long long after = clock.elapsed();
        const long long error = moved < before ? before - moved : std::max(0LL, moved - after);
        worst = std::max(worst, int(error));
    }
    EXPECT_LE(worst, tolerance) << what;
    ::testing::Test::RecordProperty(what, worst);
    std::printf("%s: worst position error %d ms\n", what, worst);
}

class SystemAudio : public SoundServerTest {
  protected:
    SystemAudio() : SoundServerTest(Device::AtOnce) {}

    void SetUp() override {
        SoundServerTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_NE(engine->deviceName(), QStringLiteral("silent clock"))
            << "PortAudio did not reach PulseAudio";
        // Wait until the sound server consumes sound: a short sound heard to its end.
        writeTone(dir.path() + "/warm.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 1500, 0);
        const auto warm = open("warm.wav");
        warm->Play();
        QElapsedTimer waited;
        waited.start();
        while (warm->Position() < 1500 && waited.elapsed() < 8000)
            QThread::msleep(10);
        ASSERT_EQ(warm->Position(), 1500) << "the device does not consume sound";
    }
};

TEST_F(SystemAudio, ThePositionFollowsTheDeviceThroughPauseResumeAndSeek) {
    writeTone(dir.path() + "/lesson.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 5000);
    const auto lesson = open("lesson.wav");
    TMediaPlayer& player = *lesson;
    player.Play();
    // The first buffers travel through the device's latency before they are heard.
    QThread::msleep(300);
    expectFollowsRealTime(player, 1000, 20, "playing");

    player.Pause();
    const int paused = player.Position();
    QThread::msleep(300);
    EXPECT_EQ(player.Position(), paused);

    player.Pause();
    QThread::msleep(300);
    expectFollowsRealTime(player, 700, 20, "resumed");

    player.Seek(3000);
    EXPECT_EQ(player.Position(), 3000);
    player.Play();
    QThread::msleep(200);
    const int afterSeek = player.Position();
    EXPECT_GE(afterSeek, 3000);
    EXPECT_LE(afterSeek, 3200);
    expectFollowsRealTime(player, 1000, 20, "after seek");

    QThread::msleep(1200);
    EXPECT_EQ(player.Position(), 5000) << "the end";
    EXPECT_NE(engine->deviceName(), QStringLiteral("silent clock"));
}

TEST_F(SystemAudio, RecordingFromTheMonitorLastsAsLongAsItRan) {
    writeTone(dir.path() + "/lesson.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, 5000);
    writeTone(dir.path() + "/temp1.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 0);
    const auto recorder = open("temp1.wav");
    const auto lesson = open("lesson.wav");

    QElapsedTimer clock;
    recorder->StartRecording();
    clock.start();
    lesson->Play();
    QThread::msleep(3000);
    recorder->Stop();
    const auto elapsed = clock.elapsed();
    recorder->Save();

    EXPECT_NE(engine->deviceName(), QStringLiteral("silent clock"));
    const WavInfo wav = readWav(dir.path() + "/temp1.wav");
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.sampleRate, 22050);
    EXPECT_NEAR(wav.ms(), double(elapsed), 50);
    std::printf("recorded %.1f ms in %lld ms\n", wav.ms(), (long long)elapsed);
    float peak = 0;
    for (float v : wav.samples)
        peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 0.3f) << "the lesson playing on the sink was recorded from its monitor";
}

// A recorder killed outright leaves a sound file that opens and holds what
// was recorded until shortly before.
void killRecorder(const QString& blank, bool silent) {
    writeTone(blank, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16000, 1, 0);
    QProcess helper;
    useFork(helper);
    QStringList args{blank};
    if (silent)
        args << QStringLiteral("silent");
    helper.start(QStringLiteral(LECTERN_RECORD_HELPER), args);
    ASSERT_TRUE(helper.waitForReadyRead(10000)) << helper.readAllStandardError().toStdString();
    QElapsedTimer clock;
    clock.start();
    const QByteArray said = helper.readLine();
    ASSERT_TRUE(said.startsWith("recording")) << said.toStdString();
    EXPECT_EQ(said.contains("silent clock"), silent) << said.toStdString();
    QThread::msleep(1500);
    helper.kill();
    const auto elapsed = clock.elapsed();
    helper.waitForFinished();
    const WavInfo wav = readWav(blank);
    ASSERT_TRUE(wav.valid) << "the killed recorder's file opens";
    EXPECT_GE(wav.ms(), elapsed - 150.0);
    // Before "recording", the capture stream's start was filled with silence.
    EXPECT_LE(wav.ms(), elapsed + 2500.0);
    std::printf("killed after %lld ms, the file holds %.1f ms\n", (long long)elapsed, wav.ms());
}

TEST(KilledRecorder, KeepsTheRecordingOnTheSilentClock) {
    TempDir dir;
    killRecorder(dir.path() + "/temp1.wav", true);
}

TEST_F(SystemAudio, AKilledRecorderKeepsTheRecording) {
    engine.reset();
    killRecorder(dir.path() + "/temp1.wav", false);
}

}  // namespace

namespace {

TEST(SilentClock, PlaysInRealTimeWithoutASoundDevice) {
    TempDir dir;
    CourseFiles files;
    auto engine = lectern::platform::createSilentAudioEngine(files);
    writeTone(dir.path() + "/lesson.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 1500);
    TMediaPlayer player(*engine);
    player.SetFileName(dir.path() + "\\lesson.wav");
    player.Open();
    player.Play();
    // The clock starts with the first buffer, which a loaded machine may
    // take a while to schedule.
    ASSERT_TRUE(waitUntil([&] { return player.Position() > 0; }, 2000));
    expectFollowsRealTime(player, 800, 20, "silent clock");
    player.Pause();
    const int paused = player.Position();
    QThread::msleep(200);
    EXPECT_EQ(player.Position(), paused);
    player.Pause();
    QThread::msleep(1000);
    EXPECT_EQ(player.Position(), 1500) << "the lesson ends";
}

}  // namespace
