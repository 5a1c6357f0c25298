#include "platform/media/PortAudioLibrary.h"

#include <gtest/gtest.h>
#include <portaudio.h>

using lectern::platform::PortAudioLibrary;

// A device whose server died keeps PortAudio started (its streams cannot be
// closed); the next device to start it ends that start-up first, so that
// the system's devices are scanned afresh and none is left started.
TEST(PortAudioLibrary, AStartAfterAnAbandonedDeviceLeavesNoStartUpBehind) {
    ASSERT_TRUE(PortAudioLibrary::start(nullptr));
    PortAudioLibrary::abandon();
    EXPECT_GE(Pa_GetDeviceCount(), 0) << "the abandoned streams are left alone for now";
    ASSERT_TRUE(PortAudioLibrary::start(nullptr));
    PortAudioLibrary::stop();
    EXPECT_EQ(Pa_GetDeviceCount(), paNotInitialized);
}
