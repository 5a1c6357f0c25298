// Course paths looked up over a small folder tree whose names differ only in
// letter case, as the player forms them ('\' separators, any case).
#include "FuzzInput.h"
#include "platform/files/CourseFiles.h"

#include <QDir>

using namespace lectern;

namespace {

const QString& courseFolder() {
    static const QString root = [] {
        const QString path = fuzz::scratchFolder() + QStringLiteral("/course");
        for (const char* folder :
             {"data/text", "data/Text", "DATA/marks", "data/sound/sub", "gdata", "help"})
            QDir().mkpath(path + QLatin1Char('/') + QLatin1String(folder));
        for (const char* file :
             {"data/text/reading.htm", "data/text/Reading.HTM", "data/Text/reading.htm",
              "DATA/marks/a.txt", "main.mrb", "MAIN.MRB", "gdata/top.jpg", "data/sound/sub/x.wav"})
            fuzz::writeScratch(QStringLiteral("course/") + QLatin1String(file), "x");
        return path;
    }();
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::CourseFiles files;
    const QString entry = QString::fromUtf8(fuzz::bytesOf(data, size));
    const QString coursePath = courseFolder() + QLatin1Char('\\') + entry;
    const platform::PathResolver::Result result = files.lookup(coursePath);
    if (result.found() && !QFileInfo::exists(result.path))
        __builtin_trap();  // a path found must be a real one
    (void)files.exists(coursePath);
    (void)files.resolve(entry);
    return 0;
}
