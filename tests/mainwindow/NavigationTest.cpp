#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "support/Announcements.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QDir>
#include <QTest>

using namespace lectern;
using lectern::test::MainWindowFixture;

namespace {

void select(mainwindow::TMainFrm& main, int node) {
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(node));
}

QPoint centreOf(mainwindow::TMainFrm& main, int node) {
    return main.TreeView1->visualRect(main.TreeModel->indexOfNode(node)).center();
}

}  // namespace

TEST(Navigation, AClickedNodeShowsItsDescriptionFromTheCourseFolder) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    main.TreeView1->expandAll();
    QDir::setCurrent(QDir::tempPath());

    QTest::mouseClick(main.TreeView1->viewport(), Qt::LeftButton, {}, centreOf(main, 2));
    EXPECT_EQ(main.SelectedIndex(), 2);
    EXPECT_EQ(main.CppWebBrowser1->LocationURL(), main.AppFolder() + "\\data\\descr\\test.htm");
    EXPECT_EQ(QDir::currentPath(), main.AppFolder());
    EXPECT_EQ(main.TreeModel->imageIndex(2), 1) << "a node once clicked shows image 1";
}

// A keyboard move tells a screen reader the node's caption and description,
// which stays the node's accessible description; the mouse is not told.
TEST(Navigation, AKeyboardMoveAnnouncesTheNodesCaptionAndDescription) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    main.TreeView1->expandAll();
    main.show();
    main.TreeView1->setFocus();
    test::Announcements heard;
    QTest::keyClick(main.TreeView1, Qt::Key_Down);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !heard.texts().isEmpty(); }));
    EXPECT_EQ(heard.texts(), QStringList{"First reading. reading"});
    EXPECT_EQ(main.TreeModel->data(main.TreeModel->indexOfNode(1), Qt::AccessibleDescriptionRole),
              "reading");

    heard.clear();
    QTest::mouseClick(main.TreeView1->viewport(), Qt::LeftButton, {}, centreOf(main, 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.TreeModel->description(2) == "test"; }));
    EXPECT_EQ(heard.texts(), QStringList());
}

// A screen reader that selects a row (AT-SPI's table selection) moves the
// learner there as the keys do.
TEST(Navigation, ARowSelectedByAScreenReaderBecomesCurrentAndIsAnnounced) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    main.TreeView1->expandAll();
    main.show();
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(main.TreeView1)->tableInterface();
    ASSERT_NE(table, nullptr);
    const auto caption = [&](int node) {
        return main.TreeModel->data(main.TreeModel->indexOfNode(node), Qt::DisplayRole).toString();
    };
    test::Announcements heard;
    // Rows count the shown nodes; all are shown, so row n is node n.
    for (const auto& [row, description] : {std::pair{2, "test"}, std::pair{1, "reading"}}) {
        SCOPED_TRACE(row);
        ASSERT_EQ(table->cellAt(row, 0)->text(QAccessible::Name), caption(row));
        heard.clear();
        ASSERT_TRUE(table->selectRow(row));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !heard.texts().isEmpty(); }));
        EXPECT_EQ(heard.texts(), QStringList{caption(row) + ". " + description});
        EXPECT_EQ(main.SelectedIndex(), row);
        EXPECT_EQ(table->selectedCellCount(), 1);
        EXPECT_EQ(
            main.TreeModel->data(main.TreeModel->indexOfNode(row), Qt::AccessibleDescriptionRole),
            description);
    }
}

TEST(Navigation, TheDescriptionFollowsTheKeysOnceTheySettleAndBeforeReturnRunsTheLesson) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    main.TreeView1->expandAll();
    main.TreeView1->setFocus();
    const QString descr = main.AppFolder() + "\\data\\descr\\";
    // Moving on: the page waits until the keys rest, then shows where they are.
    QTest::keyClick(main.TreeView1, Qt::Key_Down);
    EXPECT_EQ(main.SelectedIndex(), 1);
    EXPECT_EQ(main.CppWebBrowser1->LocationURL(), descr + "chapter1.htm");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return main.CppWebBrowser1->LocationURL() == descr + "reading.htm"; }));

    // Return before they rest: the description shows first, then the lesson runs.
    QTest::keyClick(main.TreeView1, Qt::Key_Down);
    QTest::keyClick(main.TreeView1, Qt::Key_Return);
    EXPECT_EQ(main.SelectedIndex(), 2);
    EXPECT_EQ(main.CppWebBrowser1->LocationURL(), descr + "test.htm");
    EXPECT_EQ(f.test.modal.shown, std::vector<QWidget*>{f.windows->MultiFrm});
}

TEST(Navigation, ReleasingAnyMouseButtonOverTheTreeSetsTheSelectedNodesImage) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    select(main, 3);
    EXPECT_EQ(main.TreeModel->imageIndex(0), 0);
    QTest::mouseRelease(main.TreeView1->viewport(), Qt::RightButton, {}, QPoint(300, 300));
    EXPECT_EQ(main.TreeModel->imageIndex(3), 1);
    EXPECT_EQ(main.TreeModel->imageIndex(0), 0) << "only the selected node changes";
}

TEST(Navigation, OnlyTheLeftButtonSelectsAndOnlyItsDoubleClickRunsALesson) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    main.TreeView1->expandAll();
    select(main, 3);
    const QString description = main.CppWebBrowser1->LocationURL();
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(main.TreeView1->viewport(), button, {}, centreOf(main, 2));
        QTest::mouseDClick(main.TreeView1->viewport(), button, {}, centreOf(main, 2));
        EXPECT_EQ(main.SelectedIndex(), 3) << button;
        EXPECT_EQ(main.CppWebBrowser1->LocationURL(), description) << button;
        EXPECT_TRUE(f.test.modal.shown.empty()) << button;
    }
    EXPECT_EQ(main.TreeModel->imageIndex(3), 1) << "any release still sets the image";
    QTest::mouseClick(main.TreeView1->viewport(), Qt::LeftButton, {}, centreOf(main, 2));
    QTest::mouseDClick(main.TreeView1->viewport(), Qt::LeftButton, {}, centreOf(main, 2));
    EXPECT_EQ(f.test.modal.shown, std::vector<QWidget*>{f.windows->MultiFrm});
}

TEST(Navigation, IntroductionSwitchedOffLoadsTheViewerButDoesNotShowIt) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    exercises::TViewFrm& viewer = *f.windows->ViewFrm;
    viewer.Browser->Navigate("elsewhere");
    viewer.SetCaption("elsewhere");
    main.m1()->show();

    main.m1Click();
    EXPECT_FALSE(main.m1()->isVisible());
    EXPECT_EQ(viewer.Browser->LocationURL(), main.AppFolder() + "\\data\\descr\\intro.htm");
    EXPECT_EQ(viewer.Caption(), "Introduction");
    EXPECT_TRUE(f.test.modal.shown.empty());

    main.m4Click();
    EXPECT_EQ(viewer.Browser->LocationURL(), main.AppFolder() + "\\data\\descr\\about.htm");
    EXPECT_EQ(viewer.Caption(), "About");
    ASSERT_EQ(f.test.modal.shown.size(), 1u);
    EXPECT_EQ(f.test.modal.shown[0], &viewer);
    EXPECT_TRUE(viewer.isVisible());

    viewer.m1()->show();
    viewer.m11Click();
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_FALSE(viewer.m1()->isVisible());
}

TEST(Navigation, ABadSwitchFailsAfterThePageAndCaptionAreSet) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    main.catalogue().list(mainwindow::TMainFrm::List::WindowSettings) = platform::StringList(
        {"T", "s.jpg", "0", "Intro", "intro.htm", "perhaps", "About", "about.htm", "1"});
    EXPECT_THROW(main.m1Click(), platform::Error);
    EXPECT_EQ(f.windows->ViewFrm->Caption(), "Intro");
}

TEST(Navigation, HelpAsksTheShellToOpenTheCoursesHelpPage) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    main.m3()->show();
    main.m33()->clicked();
    EXPECT_FALSE(main.m3()->isVisible());
    EXPECT_EQ(f.test.shell.opened, QStringList({main.AppFolder() + "\\help\\help.htm"}));
}

TEST(Navigation, ExitClosesTheMainWindow) {
    MainWindowFixture f("basic");
    mainwindow::TMainFrm& main = f.start();
    ASSERT_TRUE(main.isVisible());
    main.m5()->show();
    main.m55()->clicked();
    EXPECT_FALSE(main.isVisible());
    EXPECT_FALSE(main.m5()->isVisible());
}

TEST(Navigation, WithAnEmptyTreeTheTreeHandlersDoNothing) {
    MainWindowFixture f("");
    mainwindow::TMainFrm& main = f.start();
    f.test.dialogs.clear();
    main.TreeView1Click();
    main.TreeView1MouseUp();
    EXPECT_TRUE(main.CppWebBrowser1->LocationURL().isEmpty());
    EXPECT_TRUE(f.test.dialogs.boxes.empty());
}
