#pragma once

#include <QStringList>

namespace lectern::exercises {

// A sorting file split into its groups. Each line joins the current group,
// and an empty line then ends that group, so the empty line is itself the
// group's last item. Lines after the third group are dropped.
class SortingFile {
  public:
    static SortingFile fromLines(const QStringList& lines);

    QStringList items;   // group 0: what the learner sorts
    QStringList second;  // group 1: what belongs in the right-hand box
    QStringList third;   // group 2: what belongs in the middle box
};

}  // namespace lectern::exercises
