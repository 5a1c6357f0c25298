// Decoding a sound file whole: what its header claims is weighed before a
// sample is read.
#include "platform/Error.h"
#include "platform/media/Sound.h"
#include "support/TempDir.h"
#include "support/WavFiles.h"

#include <gtest/gtest.h>
#include <QFile>

#include <sys/resource.h>
#include <unistd.h>
#include <cstdio>

using namespace lectern;

namespace {

// The virtual memory the process has now, in bytes.
rlim_t virtualSize() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            return rlim_t(line.mid(7).trimmed().split(' ').front().toULongLong()) * 1024;
    return 0;
}

// Loads the sound in a process that may take only 256 MB more, and ends
// with 3 after printing the refusal, 0 when it decodes the sound.
[[noreturn]] void loadWithLittleMemory(const QString& path) {
    const rlim_t limit = virtualSize() + (256u << 20);
    const rlimit cap{limit, limit};
    ::setrlimit(RLIMIT_AS, &cap);
    try {
        platform::Sound::load(path, "intro.wav");
    } catch (const platform::Error& e) {
        std::fputs(e.what(), stderr);
        ::_exit(3);
    }
    ::_exit(0);
}

}  // namespace

TEST(SoundFile, ASoundLongerThanTheLimitIsRefusedFromItsHeaderBeforeDecoding) {
    // 2 GB of silence, sparse on the disk: a billion frames, four times the
    // samples the player decodes.
    test::TempDir dir;
    const quint32 dataBytes = 0x7FFF0000u;
    const QString path = dir.write("intro.wav", test::wavHeader(dataBytes));
    ASSERT_TRUE(QFile::resize(path, 44 + qint64(dataBytes)));
    // Decoding it would take gigabytes; the child has a few hundred MB more
    // than it started with, and tells the message it got.
    EXPECT_EXIT(loadWithLittleMemory(path), ::testing::ExitedWithCode(3),
                "Cannot open sound file intro.wav: the sound is too long");
}
