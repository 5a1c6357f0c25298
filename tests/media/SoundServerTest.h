#pragma once

#include "PulseServer.h"

#include "platform/files/CourseFiles.h"
#include "platform/media/AudioEngine.h"
#include "platform/media/TMediaPlayer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>

namespace lectern::test {

// A test under its own PulseAudio server, with the system's sound engine and
// a scratch folder for its sounds; skipped where no server starts. A fixture
// that sets up more calls SetUp() first and stops when it skipped or failed.
class SoundServerTest : public ::testing::Test {
  protected:
    enum class Device {
        // Opened aside, as the player opens it: the first sound does not wait.
        Deferred,
        // Opened by the engine before it returns.
        AtOnce,
    };
    explicit SoundServerTest(Device device) : device_(device) {}

    void SetUp() override;
    // A player opened on the sound `name` in the scratch folder.
    std::unique_ptr<platform::TMediaPlayer> open(const QString& name) const;
    // How many streams of a kind ("sink-inputs", "source-outputs") the
    // server holds now.
    static int streams(const char* kind);
    // Waits up to `ms` for the server to hold `count` streams of the kind.
    static bool waitForStreams(const char* kind, int count, int ms);

    PulseServer pulse;
    TempDir dir;
    platform::CourseFiles files;
    std::unique_ptr<platform::AudioEngine> engine;

  private:
    Device device_;
};

}  // namespace lectern::test
