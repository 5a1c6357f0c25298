#pragma once

#include "doubles/HeadlessBrowserEngine.h"
#include "doubles/ManualClockEngine.h"
#include "platform/Platform.h"
#include "platform/files/CourseFiles.h"
#include "support/ImmediateModalRunner.h"
#include "support/RecordingDialogs.h"
#include "support/RecordingShell.h"

namespace lectern::test {

// The platform of the tests: boxes and shell calls recorded, modal windows
// shown without waiting, pages in the headless document model, sound on a
// clock the test advances.
struct TestPlatform {
    RecordingDialogs dialogs;
    RecordingShell shell;
    ImmediateModalRunner modal;
    platform::CourseFiles files;
    test::HeadlessBrowserEngine browsers{files};
    // Sound on a clock the test moves: audio.advance(ms) moves every player on.
    test::ManualClockEngine audio{files};
    platform::Platform platform{dialogs, shell, modal, files, browsers, audio};
};

}  // namespace lectern::test
