#pragma once

#include "platform/media/AudioEngine.h"

#include <memory>

namespace lectern::platform {

class CourseFiles;

// The engine of the program: the default sound device through PortAudio or,
// while there is none (no sound system, no output device, a stream that will
// not open or start, a server that died), a silent clock running in real
// time, so lessons still play, highlight and end and recordings hold silence
// of the right length. The device is opened here, aside from the caller,
// who waits for it at most 2 s.
std::unique_ptr<AudioEngine> createSystemAudioEngine(CourseFiles& files);
// The same, with the sound system not opened yet: the engine opens it aside
// when a sound first needs it, or after
// AudioEngine::openDeviceAside(), so that start-up need not wait for it.
std::unique_ptr<AudioEngine> createDeferredSystemAudioEngine(CourseFiles& files);

// An engine on the silent clock alone.
std::unique_ptr<AudioEngine> createSilentAudioEngine(CourseFiles& files);

}  // namespace lectern::platform
