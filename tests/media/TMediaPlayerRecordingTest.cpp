#include "MediaTestEngine.h"
#include "support/FullDisk.h"
#include "support/WavFiles.h"

#include "platform/Error.h"
#include "platform/media/TMediaPlayer.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

using lectern::platform::TMediaPlayer;
using namespace lectern::test;

namespace {

constexpr int blankFormat = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;

class Recording : public ::testing::Test {
  protected:
    MediaTestEngine media;

    // The course's blank recording: 8-bit, 8 kHz, stereo, no frames.
    void makeBlank(const QString& name, int format = blankFormat, int rate = 8000,
                   int channels = 2) {
        writeTone(media.realPath(name), format, rate, channels, 0);
    }

    std::unique_ptr<TMediaPlayer> openRecorder(const QString& name) {
        auto player = std::make_unique<TMediaPlayer>(*media.engine);
        player->SetFileName(media.coursePath(name));
        player->Open();
        return player;
    }
};

TEST_F(Recording, ARecordedSpanBecomesAWavOfThatLengthInTheBlankRecordingsFormat) {
    makeBlank("temp1.wav");
    media.clock()->inputSource = [](float* in, int frames) { std::fill_n(in, frames, 0.25f); };
    auto recorder = openRecorder("temp1.wav");
    recorder->StartRecording();
    media.clock()->advance(1000);
    EXPECT_EQ(recorder->Position(), 1000) << "the recorded time";
    media.clock()->advance(1500);
    recorder->Stop();
    media.clock()->advance(500);
    EXPECT_EQ(recorder->Position(), 2500);
    recorder->Save();

    const WavInfo wav = readWav(media.realPath("temp1.wav"));
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.format, blankFormat);
    EXPECT_EQ(wav.sampleRate, 8000);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_NEAR(wav.ms(), 2500, 1);
    EXPECT_NEAR(wav.samples[2 * 4000], 0.25, 1.0 / 64) << "the microphone's sound, converted";
    EXPECT_NEAR(wav.samples[2 * 4000 + 1], 0.25, 1.0 / 64);

    // The recording plays back at once, from the start after auto-rewind.
    EXPECT_EQ(recorder->Length(), 2500);
    recorder->Play();
    media.clock()->advance(400);
    EXPECT_EQ(recorder->Position(), 400);
}

TEST_F(Recording, TheFileHoldsTheRecordingWhileItIsMade) {
    makeBlank("temp1.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1);
    auto recorder = openRecorder("temp1.wav");
    recorder->StartRecording();
    media.clock()->advance(1000);
    // The writer thread writes every 20 ms: without a Stop or Save, the file
    // on disk soon opens and holds what was recorded.
    QElapsedTimer waited;
    waited.start();
    WavInfo wav;
    do {
        QThread::msleep(10);
        wav = readWav(media.realPath("temp1.wav"));
    } while ((!wav.valid || wav.ms() < 990) && waited.elapsed() < 5000);
    EXPECT_TRUE(wav.valid);
    EXPECT_NEAR(wav.ms(), 1000, 10);
    recorder->Close();
    EXPECT_NEAR(readWav(media.realPath("temp1.wav")).ms(), 1000, 1)
        << "closing keeps the recording";
}

TEST_F(Recording, TheRecorderRecordsWhileTheSecondPlayerPlaysAlong) {
    makeBlank("temp1.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1);
    writeTone(media.realPath("lesson.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 3000);
    auto recorder = openRecorder("temp1.wav");
    auto lesson = openRecorder("lesson.wav");
    media.clock()->keepOutput = true;
    recorder->StartRecording();
    lesson->Seek(500);
    lesson->Play();
    media.clock()->advance(1000);
    EXPECT_EQ(recorder->Position(), 1000);
    EXPECT_EQ(lesson->Position(), 1500);
    lesson->Pause();
    media.clock()->advance(700);
    EXPECT_EQ(recorder->Position(), 1700) << "the recorder still records while the lesson pauses";
    lesson->Stop();
    recorder->Stop();
    recorder->Save();
    EXPECT_NEAR(readWav(media.realPath("temp1.wav")).ms(), 1700, 1);
    float peak = 0;
    for (float v : media.clock()->output)
        peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 0.4f) << "the lesson was heard";
}

TEST_F(Recording, ANewRecordingReplacesTheOldOneAndSaveCopiesToANewName) {
    makeBlank("temp1.wav");
    auto recorder = openRecorder("temp1.wav");
    recorder->StartRecording();
    media.clock()->advance(2000);
    recorder->Stop();
    recorder->Save();
    recorder->Save();
    EXPECT_NEAR(readWav(media.realPath("temp1.wav")).ms(), 2000, 1)
        << "saving twice changes nothing";

    recorder->Seek(0);
    recorder->StartRecording();
    recorder->StartRecording();
    media.clock()->advance(600);
    recorder->Save();
    EXPECT_NEAR(readWav(media.realPath("temp1.wav")).ms(), 600, 1);

    recorder->SetFileName(media.coursePath("copy.wav"));
    recorder->Save();
    const WavInfo copy = readWav(media.realPath("copy.wav"));
    EXPECT_EQ(copy.format, blankFormat);
    EXPECT_NEAR(copy.ms(), 600, 1);
}

TEST_F(Recording, RecordingFromAPositionKeepsWhatCameBefore) {
    writeTone(media.realPath("temp1.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 16000, 1, 1000);
    auto recorder = openRecorder("temp1.wav");
    recorder->Seek(400);
    recorder->StartRecording();
    EXPECT_EQ(recorder->Position(), 400);
    media.clock()->advance(300);
    EXPECT_EQ(recorder->Position(), 700);
    recorder->Save();
    const WavInfo wav = readWav(media.realPath("temp1.wav"));
    EXPECT_NEAR(wav.ms(), 700, 1);
    EXPECT_GT(*std::max_element(wav.samples.begin(), wav.samples.begin() + 6400), 0.45)
        << "the tone before the position stays";
    EXPECT_NEAR(wav.samples[16 * 600], 0, 1e-3) << "silence was recorded after it";
}

TEST_F(Recording, AFullDiskAtStopKeepsWhatWasWrittenAndTheNextRecordingStartsAfresh) {
    // 16-bit mono at 8 kHz: 16000 bytes a second after a 44-byte header.
    makeBlank("temp1.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1);
    media.clock()->inputSource = [](float* in, int frames) { std::fill_n(in, frames, 0.25f); };
    auto recorder = openRecorder("temp1.wav");
    {
        FullDisk disk(44 + 16000);
        recorder->StartRecording();
        media.clock()->advance(2000);
        EXPECT_THROW(recorder->Stop(), lectern::platform::EMCIDeviceError);
    }
    const WavInfo written = readWav(media.realPath("temp1.wav"));
    ASSERT_TRUE(written.valid) << "the file stays a sound file";
    EXPECT_NEAR(written.ms(), 1000, 20) << "holding what fitted on the disk";
    EXPECT_EQ(recorder->Length(), int(std::lround(written.ms())));
    EXPECT_EQ(recorder->Position(), 0);

    recorder->StartRecording();
    media.clock()->advance(500);
    recorder->Stop();
    recorder->Save();
    EXPECT_NEAR(readWav(media.realPath("temp1.wav")).ms(), 500, 1) << "a new recording";
}

TEST_F(Recording, ALostDeviceLeavesTheRecordingRunningOnTheFallback) {
    makeBlank("temp1.wav");
    auto recorder = openRecorder("temp1.wav");
    recorder->StartRecording();
    media.clock()->advance(800);
    media.clock()->fail();
    EXPECT_EQ(recorder->Position(), 800);
    media.clock()->advance(200);
    recorder->Save();
    EXPECT_NEAR(readWav(media.realPath("temp1.wav")).ms(), 1000, 1);
}

}  // namespace
