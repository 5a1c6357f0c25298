#pragma once

#include "platform/Convert.h"
#include "platform/StringList.h"

#include <QString>

#include <optional>
#include <vector>

namespace lectern::catalogue {

// A marks list holds one time in milliseconds a line: line k (from 1) is the
// end of passage k, so each mark comes after the one before it and none is
// before the start. The lesson windows read a mark when they need it; a line
// that is missing or not an integer raises the list's or the conversion's
// error there.
inline int MarkOf(const platform::StringList& marks, int k) {
    return platform::StrToInt(marks[k - 1]);
}

// True once the clock has come within `lead` ms of passage k's mark, the
// mark moved by `offset` ms. Worked out wide, since a course's mark may be
// any integer down to INT_MIN.
inline bool NearsMark(const platform::StringList& marks, int k, int clock, int lead,
                      int offset = 0) {
    return static_cast<long long>(MarkOf(marks, k)) - lead + offset < clock;
}

// Where passage k starts: 0 for the first passage, else the end of the one before.
inline int PassageStartOf(const platform::StringList& marks, int k) {
    return k == 1 ? 0 : MarkOf(marks, k - 1);
}

// One line of a marks list read as a whole: its mark, or nothing when the
// line is not an integer, and what is wrong with the line, if anything.
struct MarkLine {
    std::optional<qint64> mark;
    QString fault;
};

// Every line of a marks list, each judged against the last mark before it
// that could be read.
std::vector<MarkLine> ReadMarkLines(const platform::StringList& marks);

}  // namespace lectern::catalogue
