#pragma once

#include <QStringList>
#include <array>

namespace lectern::catalogue {

// A sorting file split into its groups: the items offered in the left-hand
// list, then those expected in the right-hand list, then those expected in
// the middle. Each line goes to the current group, and an empty line closes
// the group it belongs to; lines after the third group are dropped.
struct SortingFile {
    enum Group { Offered, Right, Middle };

    static SortingFile fromLines(const QStringList& lines);

    std::array<QStringList, 3> groups;
    // The zero-based line of the first dropped line, or -1 when none is.
    int firstDroppedLine = -1;

    const QStringList& group(Group g) const { return groups[g]; }
    // The zero-based line where a group starts in the file.
    int firstLineOf(Group g) const;
};

}  // namespace lectern::catalogue
