#pragma once

#include <QProcess>

namespace lectern::test {

// Makes `process` start its program with a plain fork(). Without a child
// modifier Qt starts programs with a vfork-like clone that ThreadSanitizer
// does not follow: from then on it misses the test's own locks and reports
// everything they guard as a race.
inline void useFork(QProcess& process) {
    process.setChildProcessModifier([] {});
}

}  // namespace lectern::test
