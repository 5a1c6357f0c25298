// The player's entry: builds the real platform, creates the window set and
// runs the event loop until the main window closes.
#include "app/LecternApplication.h"

int main(int argc, char** argv) {
    return lectern::app::runLectern(argc, argv);
}
