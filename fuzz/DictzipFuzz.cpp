// A dictionary's text, dictzip or plain, read in pieces as lookups read
// them: the first bytes, pieces across chunk borders, and pieces the first
// bytes of the input place anywhere.
#include "FuzzInput.h"
#include "platform/dictionary/DictzipReader.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const platform::DictzipReader reader{QByteArrayView(bytes)};
    QByteArray out;
    QString why;
    (void)reader.read(0, 4096, out, why);
    (void)reader.read(60, 200, out, why);
    quint64 offset = 0;
    for (size_t i = 0; i < 8 && i < size; ++i)
        offset = (offset << 8) | data[i];
    (void)reader.read(offset % (1u << 20), (offset >> 20) % 70000, out, why);
    (void)reader.read(offset, offset, out, why);
    return 0;
}
