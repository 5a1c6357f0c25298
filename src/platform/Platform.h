#pragma once

namespace lectern::platform {

class AudioEngine;
class BrowserEngine;
class CourseFiles;
class Dialogs;
class ModalRunner;
class Shell;

// The services the windows stand on, chosen by the composition root: real
// ones in the program, headless and recording ones in tests.
struct Platform {
    Dialogs& dialogs;
    Shell& shell;
    ModalRunner& modal;
    CourseFiles& files;
    BrowserEngine& browsers;
    AudioEngine& audio;
};

}  // namespace lectern::platform
