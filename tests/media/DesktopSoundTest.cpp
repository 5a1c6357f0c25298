// The engine as a desktop sees it, under a private PulseAudio server: it
// holds the microphone only while recording, and the playback stream only
// while there is sound. (What it costs and how soon Play is heard are
// measured by lectern-sound-figures.)
#include "SoundServerTest.h"
#include "support/WavFiles.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <QElapsedTimer>
#include <QThread>

using namespace lectern::test;

namespace {

class DesktopSound : public SoundServerTest {
  protected:
    DesktopSound() : SoundServerTest(Device::Deferred) {}

    void SetUp() override {
        SoundServerTest::SetUp();
        writeTone(dir.path() + "/lesson.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 12000);
        writeTone(dir.path() + "/blank.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 0);
    }
};

TEST_F(DesktopSound, TheMicrophoneIsOpenOnlyWhileARecordingRuns) {
    auto recorder = open("blank.wav");
    auto lesson = open("lesson.wav");
    lesson->Play();
    QThread::msleep(1500);
    EXPECT_EQ(streams("source-outputs"), 0) << "playing opens no capture stream";
    QElapsedTimer recording;
    recording.start();
    recorder->StartRecording();
    EXPECT_TRUE(waitForStreams("source-outputs", 1, 5000)) << "recording opens one";
    QThread::msleep(1000);
    recorder->Stop();
    const qint64 recorded = recording.elapsed();
    EXPECT_TRUE(waitForStreams("source-outputs", 0, 5000)) << "and Stop closes it";
    recorder->Save();
    // The capture stream's start is filled with silence; on a busy machine
    // a few buffers may still be missing.
    EXPECT_NEAR(readWav(dir.path() + "/blank.wav").ms(), double(recorded), 400)
        << "the recording holds its time, from Record to Stop";
}

TEST_F(DesktopSound, ThePlaybackStreamClosesAfterTenSecondsWithoutSound) {
    EXPECT_EQ(streams("sink-inputs"), 0) << "nothing plays before the first sound";
    auto lesson = open("lesson.wav");
    lesson->Play();
    EXPECT_TRUE(waitForStreams("sink-inputs", 1, 5000));
    QThread::msleep(500);
    lesson->Stop();
    QThread::msleep(8000);
    EXPECT_EQ(streams("sink-inputs"), 1) << "held a while for the next sound";
    EXPECT_TRUE(waitForStreams("sink-inputs", 0, 6000)) << "closed after 10 s";
}

}  // namespace
