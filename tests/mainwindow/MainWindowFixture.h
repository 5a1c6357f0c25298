#pragma once

#include "app/WindowSet.h"
#include "mainwindow/TMainFrm.h"
#include "support/CourseFolder.h"
#include "support/TestPlatform.h"

#include <memory>

namespace lectern::test {

// A course folder, the test platform and the whole window set built in it.
struct MainWindowFixture {
    explicit MainWindowFixture(const QString& course) : folder(course) {}

    // Builds the window set now (the main window takes the current folder).
    app::WindowSet& build() {
        windows = std::make_unique<app::WindowSet>(test.platform);
        return *windows;
    }
    // Builds and shows the main window, which runs its start-up.
    mainwindow::TMainFrm& start() {
        build();
        windows->MainFrm->show();
        return *windows->MainFrm;
    }

    CourseFolder folder;
    TestPlatform test;
    std::unique_ptr<app::WindowSet> windows;
};

}  // namespace lectern::test
