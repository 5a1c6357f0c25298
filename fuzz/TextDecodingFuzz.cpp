// Course text decoding: the code page detected from a sample, then the text
// decoded with its report, as the course files and the checker decode it.
#include "FuzzInput.h"
#include "platform/files/TextDecoding.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QByteArray codePage = platform::TextDecoding::detectLegacyCodePage(bytes);
    (void)platform::TextDecoding::displayName(codePage);
    const platform::TextDecoding decoding(codePage);
    platform::TextDecoding::Report report;
    const QString text = decoding.decode(bytes, &report);
    // Valid UTF-8 reads back as the same bytes.
    if (platform::TextDecoding::isValidUtf8(bytes) && !bytes.startsWith("\xEF\xBB\xBF") &&
        text.toUtf8() != bytes)
        __builtin_trap();
    (void)platform::TextDecoding::decodeSingleByte(bytes, "CP1251");
    return 0;
}
