#include "catalogue/SortingFile.h"

namespace lectern::catalogue {

SortingFile SortingFile::fromLines(const QStringList& lines) {
    SortingFile file;
    int group = Offered;
    for (int i = 0; i < lines.size(); ++i) {
        if (group > Middle) {
            file.firstDroppedLine = i;
            break;
        }
        file.groups[group].append(lines[i]);
        if (lines[i].isEmpty())
            ++group;
    }
    return file;
}

int SortingFile::firstLineOf(Group g) const {
    int line = 0;
    for (int before = Offered; before < g; ++before)
        line += static_cast<int>(groups[before].size());
    return line;
}

}  // namespace lectern::catalogue
