// Sound files opened as the player opens them: decoded whole into memory.
#include "FuzzInput.h"
#include "platform/Error.h"
#include "platform/media/Sound.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzz::writeScratch(QStringLiteral("sound.wav"), fuzz::bytesOf(data, size));
    try {
        const auto sound = platform::Sound::load(path, QStringLiteral("sound.wav"));
        if (sound->format.channels <= 0 && !sound->samples.empty())
            __builtin_trap();
    } catch (const platform::Error&) {
    }
    return 0;
}
