#pragma once

namespace lectern::app {

// The composition root: the real backends, the window set, the event loop.
// Returns 0 however the run ends; an error that escapes is shown first.
int runLectern(int argc, char** argv);

}  // namespace lectern::app
