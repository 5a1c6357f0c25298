#include "platform/media/PortAudioLibrary.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <portaudio.h>
#include <mutex>

namespace lectern::platform {

namespace {
std::mutex mutex;
// Start-ups of devices in use, and of devices that abandoned their streams.
int inUse = 0;
int abandoned = 0;

// PortAudio's scan opens every device ALSA and JACK name, and both libraries
// print each one that is not there (card aliases, a JACK server that does not
// run) on standard error: dozens of lines on an ordinary desktop, none of
// them a fault. PortAudio's own answer says what failed.
void ignoreAlsa(const char*, int, const char*, int, const char*, ...) {}

void silenceDeviceScan() {
    snd_lib_error_set_handler(ignoreAlsa);
    jack_set_error_function([](const char*) {});
    jack_set_info_function([](const char*) {});
}
}  // namespace

bool PortAudioLibrary::start(QString* reason) {
    std::lock_guard lock(mutex);
    silenceDeviceScan();
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
