// A sorting file read and split into its groups as the launcher does.
#include "FuzzInput.h"
#include "catalogue/SortingFile.h"
#include "platform/StringList.h"
#include "platform/files/CourseFiles.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::CourseFiles files;
    const QString path = fuzz::writeScratch(QStringLiteral("sort.txt"), fuzz::bytesOf(data, size));
    platform::StringList lines;
    lines.LoadFromFile(files, path);
    const catalogue::SortingFile file = catalogue::SortingFile::fromLines(lines.lines());
    qsizetype kept = 0;
    for (const QStringList& group : file.groups)
        kept += group.size();
    if (kept > lines.Count())
        __builtin_trap();
    return 0;
}
