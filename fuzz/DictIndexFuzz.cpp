// A dictd index searched as a lookup searches it: the words of its own
// lines (so that hits happen), and words before, between and after them.
#include "FuzzInput.h"
#include "platform/dictionary/DictIndex.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const platform::DictIndex index{QByteArrayView(bytes)};
    int probes = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        if (++probes > 8)
            break;
        (void)index.find(QString::fromUtf8(line.left(line.indexOf('\t'))));
    }
    for (const char* word : {"", "a", "m", "zzzz", "\xc3\xa9toile"})
        (void)index.find(QString::fromUtf8(word));
    return 0;
}
