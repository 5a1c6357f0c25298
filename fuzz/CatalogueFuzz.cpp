// A catalogue file read as start-up reads it: decoded into a string list,
// built into the lesson tree, and its lines read as geometry.
#include "FuzzInput.h"
#include "catalogue/Layout.h"
#include "catalogue/LessonTree.h"
#include "platform/Error.h"
#include "platform/StringList.h"
#include "platform/files/CourseFiles.h"

using namespace lectern;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::CourseFiles files;
    const QString path = fuzz::writeScratch(QStringLiteral("main.mrb"), fuzz::bytesOf(data, size));
    platform::StringList lines;
    lines.LoadFromFile(files, path);
    QString error;
    const catalogue::LessonTree tree = catalogue::LessonTree::fromLines(lines.lines(), &error);
    for (int i = 0; i < tree.size(); ++i) {
        const catalogue::LessonTree::Node& node = tree.node(i);
        if (node.parent >= i || node.depth < 0 || tree.children(i).size() > size_t(tree.size()))
            __builtin_trap();
    }
    const catalogue::Layout layout(lines);
    for (int line = 0; line < 61; ++line) {
        try {
            (void)layout[line];
        } catch (const platform::Error&) {
        }
    }
    try {
        (void)lines.Strings(lines.Count());
        __builtin_trap();  // past the end must raise
    } catch (const platform::Error&) {
    }
    return 0;
}
