#pragma once

#include <sys/types.h>
#include <QStringList>

namespace lectern::bench {

// A process and every process below it, as /proc shows them now.
class ProcessTree {
  public:
    explicit ProcessTree(pid_t root);

    // Proportional set size of all of them: shared pages are divided among
    // the processes that map them, so the sum is what this tree costs.
    double pssMegabytes() const;
    int processes() const;
    // One line a process: its PSS and its kind (a web engine helper's
    // --type, or the program's own name).
    QStringList details() const;

  private:
    pid_t root_;
};

}  // namespace lectern::bench
