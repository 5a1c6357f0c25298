// A marks file read as the lesson windows read it (every passage's start and
// end, each failing with the list's or the conversion's error) and as the
// checker reads it, whole.
#include "FuzzInput.h"
#include "catalogue/Marks.h"
#include "platform/Error.h"
#include "platform/files/CourseFiles.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::CourseFiles files;
    const QString path = fuzz::writeScratch(QStringLiteral("marks.txt"), fuzz::bytesOf(data, size));
    platform::StringList marks;
    marks.LoadFromFile(files, path);
    for (int k = 1; k <= marks.Count() + 1; ++k) {
        try {
            (void)catalogue::PassageStartOf(marks, k);
            (void)catalogue::MarkOf(marks, k);
        } catch (const platform::Error&) {
        }
    }
    (void)catalogue::ReadMarkLines(marks);
    return 0;
}
