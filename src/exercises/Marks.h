#pragma once

#include "platform/Convert.h"
#include "platform/StringList.h"

namespace lectern::exercises {

// A marks list holds one time in milliseconds a line: line k (from 1) is the
// end of passage k. A line that is missing or not an integer raises the
// list's or the conversion's error.
inline int MarkOf(const platform::StringList& marks, int k) {
    return platform::StrToInt(marks[k - 1]);
}

// Where passage k starts: 0 for the first passage, else the end of the one before.
inline int PassageStartOf(const platform::StringList& marks, int k) {
    return k == 1 ? 0 : MarkOf(marks, k - 1);
}

}  // namespace lectern::exercises
