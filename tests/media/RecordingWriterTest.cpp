// The recording writer on a disk that fills up or stalls: the learner is
// told, and the file keeps what was written as a valid sound.
#include "doubles/FailingRecordingTarget.h"
#include "platform/Error.h"
#include "platform/media/RecordingWriter.h"
#include "support/ErrorOf.h"
#include "support/TempDir.h"
#include "support/WavFiles.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <vector>

using namespace lectern;
using lectern::test::FailingRecordingTarget;

namespace {

// 16-bit mono at 8 kHz: 16000 bytes a second after a 44-byte header.
constexpr int fileRate = 8000;
constexpr long long header = 44;
const platform::SoundFormat format{SF_FORMAT_WAV | SF_FORMAT_PCM_16, fileRate, 1};

struct Disk {
    std::unique_ptr<platform::RecordingWriter> writer(long long room, int deviceRate,
                                                      long long keepFrames = 0) {
        auto made = std::make_unique<FailingRecordingTarget>(
            platform::SafeFile::openToRecord(path(), QString()), room);
        target = made.get();
        const std::vector<float> keep(std::size_t(keepFrames), 0.25f);
        return std::make_unique<platform::RecordingWriter>(std::move(made), "temp1.wav", format,
                                                           keep.data(), keepFrames, deviceRate);
    }
    QString path() const { return dir.path() + "/temp1.wav"; }

    test::TempDir dir;
    FailingRecordingTarget* target = nullptr;
};

void pushSeconds(platform::RecordingWriter& writer, double seconds, int deviceRate) {
    const std::vector<float> tone(1000, 0.25f);
    for (long long left = std::llround(seconds * deviceRate); left > 0; left -= 1000)
        writer.push(tone.data(), int(std::min<long long>(left, 1000)));
}

}  // namespace

TEST(RecordingWriter, AFullDiskIsReportedAndTheFileKeepsWhatFitted) {
    for (const int deviceRate : {fileRate, 48000}) {
        SCOPED_TRACE(deviceRate);
        Disk disk;
        auto writer = disk.writer(header + 16000, deviceRate);
        pushSeconds(*writer, 2, deviceRate);
        writer->finish();
        EXPECT_EQ(writer->error(),
                  "Cannot record into sound file temp1.wav: No space left on device");
        const test::WavInfo wav = test::readWav(disk.path());
        ASSERT_TRUE(wav.valid) << "the file stays a sound file";
        EXPECT_NEAR(wav.ms(), 1000, 20) << "holding what fitted on the disk";
    }
}

TEST(RecordingWriter, KeptSoundThatDoesNotFitStopsTheRecordingBeforeItStarts) {
    Disk disk;
    EXPECT_EQ(test::errorOf([&] { disk.writer(header + 8000, fileRate, fileRate); }),
              "Cannot record into sound file temp1.wav: No space left on device");
}

TEST(RecordingWriter, SoundLostWhileTheDiskStalledIsReported) {
    Disk disk;
    auto writer = disk.writer(1LL << 30, 48000);
    disk.target->stall();
    // The writer holds 87 s; 3 s more cannot wait.
    pushSeconds(*writer, 90, 48000);
    EXPECT_GT(writer->framesDropped(), 2 * 48000);
    disk.target->resume();
    writer->finish();
    EXPECT_TRUE(writer->error().startsWith("Cannot record into sound file temp1.wav: "));
    EXPECT_TRUE(
        writer->error().endsWith(" s of the recording were lost because the disk did not "
                                 "keep up"))
        << writer->error().toStdString();
    const test::WavInfo wav = test::readWav(disk.path());
    ASSERT_TRUE(wav.valid);
    EXPECT_NEAR(wav.ms(), writer->framesPushed() * 1000.0 / 48000, 20) << "all that was kept";
}
