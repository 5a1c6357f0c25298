#pragma once

#include <QString>

namespace lectern::catalogue {

// The element ids a course's pages use. Passage k of a lesson page is
// element "t" + k, with the click target "a" + k; answer input j of a test
// page is "q" + j, with its feedback "f" + j. Numbers start at 1.
inline QString passageId(int k) {
    return QStringLiteral("t%1").arg(k);
}
inline QString clickTargetId(int k) {
    return QStringLiteral("a%1").arg(k);
}
inline QString testInputId(int j) {
    return QStringLiteral("q%1").arg(j);
}
inline QString feedbackId(int j) {
    return QStringLiteral("f%1").arg(j);
}

}  // namespace lectern::catalogue
