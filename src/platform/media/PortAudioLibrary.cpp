#include "platform/media/PortAudioLibrary.h"

#include <portaudio.h>
#include <mutex>

namespace lectern::platform {

namespace {
std::mutex mutex;
// Start-ups of devices in use, and of devices that abandoned their streams.
int inUse = 0;
int abandoned = 0;
}  // namespace

bool PortAudioLibrary::start(QString* reason) {
    std::lock_guard lock(mutex);
    if (inUse == 0) {
        // Ending the last start-up closes the abandoned streams, whose
        // callbacks answer that they are done, and forgets the old devices.
        for (; abandoned > 0; --abandoned)
            Pa_Terminate();
    }
    const PaError error = Pa_Initialize();
    if (error != paNoError) {
        if (reason)
            *reason = QString::fromUtf8(Pa_GetErrorText(error));
        return false;
    }
    ++inUse;
    return true;
}

void PortAudioLibrary::stop() {
    std::lock_guard lock(mutex);
    Pa_Terminate();
    --inUse;
}

void PortAudioLibrary::abandon() {
    std::lock_guard lock(mutex);
    --inUse;
    ++abandoned;
}

}  // namespace lectern::platform
