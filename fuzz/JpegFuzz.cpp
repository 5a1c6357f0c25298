// Skin and splash pictures decoded as the skin loads them.
#include "FuzzInput.h"
#include "platform/Error.h"
#include "platform/jpeg/TJPEGImage.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const QImage image = platform::TJPEGImage::decode(fuzz::bytesOf(data, size));
        if (qint64(image.width()) * image.height() > platform::TJPEGImage::MaxPixels)
            __builtin_trap();
    } catch (const platform::Error&) {
    }
    return 0;
}
