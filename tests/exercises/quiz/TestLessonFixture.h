#pragma once

#include "exercises/markup/PageMarkup.h"
#include "exercises/quiz/TMultiFrm.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "support/PageFiles.h"

#include <QCoreApplication>

namespace lectern::test {

// The basic course started headless with its test lesson (node 2, page
// "test.htm") given a page from tests/data/pages/quiz, a type and a time.
struct TestLessonFixture : MainWindowFixture {
    static constexpr int TestNode = 2;

    TestLessonFixture() : MainWindowFixture("basic") {}

    exercises::TMultiFrm& launch(const QString& page, const QString& type = "5",
                                 const QString& time = "60") {
        folder.write("data/text/test.htm", testPage("quiz/" + page));
        folder.writeLines("main.mtp", {"0", "1", type, "0", "9"});
        folder.writeLines("time.mtp", {"0", "0", time, "0", "30"});
        mainwindow::TMainFrm& main = start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(TestNode));
        test.dialogs.clear();
        try {
            main.m22Click();
        } catch (const platform::Error& error) {
            launchError = error.message();
        }
        QCoreApplication::processEvents();
        return *windows->MultiFrm;
    }

    // The message of the error that stopped the launch.
    QString launchError;

    exercises::TMultiFrm& window() { return *windows->MultiFrm; }
    platform::Variant document() { return window().CppWebBrowser1->Document(); }
    void tick(const QString& id) { exercises::FindElement(document(), id).call("Click"); }
    QString classOf(const QString& id) {
        return exercises::FindElement(document(), id).get("className").toString();
    }
    // The text of the single "Results" box raised since the last clear.
    QString results() {
        const auto& boxes = test.dialogs.boxes;
        if (boxes.size() != 1 || boxes[0].caption != "Results")
            return "<" + test.dialogs.texts().join(" | ") + ">";
        return boxes[0].text;
    }
    // Runs the countdown down by n ticks, as the timer would.
    void countDown(int n) {
        for (int i = 0; i < n; ++i)
            window().Timer1Timer();
    }
};

}  // namespace lectern::test
