// "Run lesson": opens the exercise window that the selected node's lesson
// type names.
#include "main/TMainFrm.h"

namespace lectern::main {

void TMainFrm::m22Click() {
    m2->hide();
}

}  // namespace lectern::main
