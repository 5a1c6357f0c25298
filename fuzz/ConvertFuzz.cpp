// Integers and switches read from course text.
#include "FuzzInput.h"
#include "platform/Convert.h"
#include "platform/Error.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
    try {
        const int value = platform::StrToInt(text);
        // A number reads back as the same number.
        if (platform::StrToInt(QString::number(value)) != value)
            __builtin_trap();
    } catch (const platform::Error&) {
    }
    try {
        (void)platform::StrToBool(text);
    } catch (const platform::Error&) {
    }
    return 0;
}
