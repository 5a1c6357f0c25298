// A marks file read as the lesson windows read it: every passage's start and
// end, each failing with the list's or the conversion's error.
#include "FuzzInput.h"
#include "exercises/Marks.h"
#include "platform/CourseFiles.h"
#include "platform/Error.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::CourseFiles files;
    const QString path = fuzz::writeScratch(QStringLiteral("marks.txt"), fuzz::bytesOf(data, size));
    platform::StringList marks;
    marks.LoadFromFile(files, path);
    for (int k = 1; k <= marks.Count() + 1; ++k) {
        try {
            (void)exercises::PassageStartOf(marks, k);
            (void)exercises::MarkOf(marks, k);
        } catch (const platform::Error&) {
        }
    }
    return 0;
}
