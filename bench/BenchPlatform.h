#pragma once

#include "doubles/HeadlessBrowserEngine.h"
#include "doubles/ManualClockEngine.h"
#include "platform/CourseFiles.h"
#include "platform/Dialogs.h"
#include "platform/ModalRunner.h"
#include "platform/Platform.h"
#include "platform/Shell.h"

#include <QWidget>

namespace lectern::bench {

// The platform the benchmarks build windows on: headless pages, a sound
// clock that moves only when told, and boxes that are counted, not shown.
struct BenchPlatform {
    struct CountingDialogs : platform::Dialogs {
        void showError(const QString&) override { ++boxes; }
        void showMessage(const QString&) override { ++boxes; }
        void showMessageBox(const QString&, const QString&) override { ++boxes; }
        QString askSaveFileName(const platform::SaveDialogOptions&) override { return {}; }
        int boxes = 0;
    };
    struct NoShell : platform::Shell {
        void open(const QString&) override {}
    };
    struct ShowOnly : platform::ModalRunner {
        void showModal(QWidget& window) override { window.show(); }
    };

    CountingDialogs dialogs;
    NoShell shell;
    ShowOnly modal;
    platform::CourseFiles files;
    test::HeadlessBrowserEngine browsers{files};
    test::ManualClockEngine audio{files};
    platform::Platform platform{dialogs, shell, modal, files, browsers, audio};
};

}  // namespace lectern::bench
