#include "exercises/Sortfrm/SortingFile.h"

namespace lectern::exercises {

SortingFile SortingFile::fromLines(const QStringList& lines) {
    SortingFile file;
    QStringList* groups[] = {&file.items, &file.second, &file.third};
    int group = 0;
    for (const QString& line : lines) {
        if (group > 2)
            break;
        groups[group]->append(line);
        if (line.isEmpty())
            ++group;
    }
    return file;
}

}  // namespace lectern::exercises
