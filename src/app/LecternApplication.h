#pragma once

namespace lectern::app {

// The composition root: the command line, the real backends, the window
// set, the event loop. Returns 0 however a course's run ends (an error that
// escapes is shown first); 2 for a command line or folder that cannot be used.
int runLectern(int argc, char** argv);

}  // namespace lectern::app
