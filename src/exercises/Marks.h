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

// True once the clock has come within `lead` ms of passage k's mark. Worked
// out wide, since a course's mark may be any integer down to INT_MIN.
inline bool NearsMark(const platform::StringList& marks, int k, int clock, int lead) {
    return static_cast<long long>(MarkOf(marks, k)) - lead < clock;
}

// Where passage k starts: 0 for the first passage, else the end of the one before.
inline int PassageStartOf(const platform::StringList& marks, int k) {
    return k == 1 ? 0 : MarkOf(marks, k - 1);
}

}  // namespace lectern::exercises
