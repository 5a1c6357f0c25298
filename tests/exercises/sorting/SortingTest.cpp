#include "exercises/sorting/TfrmSort.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/Error.h"
#include "support/LessonLists.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTest>
#include <QThread>

using namespace lectern;
using exercises::TfrmSort;

namespace {

// The basic course started headless with its sorting lesson (node 4, file
// "sort.txt") given the lines of a sorting file and a time.
struct SortingFixture : test::MainWindowFixture {
    static constexpr int SortingNode = 4;
    SortingFixture() : MainWindowFixture("basic") {}

    TfrmSort& launch(const QStringList& lines, const QString& time = "30") {
        folder.writeLines("data/text/sort.txt", lines);
        folder.writeLines("time.mtp", {"0", "0", "60", "0", time});
        mainwindow::TMainFrm& main = start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(SortingNode));
        test.dialogs.clear();
        try {
            main.m22Click();
        } catch (const platform::Error& error) {
            launchError = error.message();
        }
        return *windows->frmSort;
    }
    QString launchError;
};

QStringList itemsOf(const QListWidget* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->item(i)->text());
    return items;
}

// Moves the item of that text from one box to another, as a drag would.
void move(TfrmSort& w, QListWidget* from, const QString& item, QListWidget* to) {
    const auto found = from->findItems(item, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << item.toStdString();
    from->setCurrentItem(found.first());
    w.ListBoxDragDrop(to, from);
}

void countDown(TfrmSort& w, int n) {
    for (int i = 0; i < n; ++i)
        w.Timer1Timer();
}

}  // namespace

TEST(Sorting, TheLauncherSplitsTheFileIntoGroupsClosedByTheirEmptyLines) {
    {
        SortingFixture f;
        TfrmSort& w = f.launch({"a", "b", "", "c", "d", "", "e", "", "f"});
        ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{&w});
        EXPECT_EQ(w.Caption(), "Sorting");
        EXPECT_EQ(itemsOf(w.ListBox1), (QStringList{"a", "b", ""}));
        EXPECT_EQ(w.ExpectedRight().lines(), (QStringList{"c", "d", ""}));
        EXPECT_EQ(w.ExpectedMiddle().lines(), (QStringList{"e", ""}));
        EXPECT_TRUE(itemsOf(w.ListBox2).isEmpty());
        EXPECT_TRUE(itemsOf(w.ListBox3).isEmpty());
        EXPECT_EQ(w.SecondsLeft(), 30);
        EXPECT_TRUE(w.Timer1->isActive());
        EXPECT_EQ(w.Label1->text(), "Time countdown: 30 seconds");
        for (platform::TImage* holder : {w.m1(), w.m2(), w.m3(), w.m4(), w.m5()})
            EXPECT_FALSE(holder->isVisible());
    }
    {
        SortingFixture f;
        TfrmSort& w = f.launch({"a", "", "", "b"});
        EXPECT_EQ(itemsOf(w.ListBox1), (QStringList{"a", ""}));
        EXPECT_EQ(w.ExpectedRight().lines(), QStringList{""});
        EXPECT_EQ(w.ExpectedMiddle().lines(), QStringList{"b"});
    }
}

TEST(Sorting, ARelaunchStartsFromTheNewFileAlone) {
    SortingFixture f;
    TfrmSort& w = f.launch({"a", "b", "", "a", "", "b"});
    move(w, w.ListBox1, "a", w.ListBox2);
    f.folder.writeLines("data/text/sort.txt", {"x", "", "y"});
    f.windows->MainFrm->m22Click();
    EXPECT_EQ(itemsOf(w.ListBox1), (QStringList{"x", ""}));
    EXPECT_TRUE(itemsOf(w.ListBox2).isEmpty());
    EXPECT_EQ(w.ExpectedRight().lines(), QStringList{"y"});
    EXPECT_TRUE(w.ExpectedMiddle().lines().isEmpty());
}

TEST(Sorting, ATimeOfZeroShowsTheLabelAndIsNeverCounted) {
    SortingFixture f;
    TfrmSort& w = f.launch({"a", "", "b"}, "0");
    EXPECT_FALSE(w.Label1->isHidden());
    EXPECT_EQ(w.Label1->text(), "Time countdown: 0 seconds");
    countDown(w, 3);
    EXPECT_EQ(w.Label1->text(), "Time countdown: -3 seconds");
    EXPECT_TRUE(f.test.dialogs.boxes.empty());
}

TEST(Sorting, ABadTimeOrAMissingFileStopsTheLaunch) {
    {
        SortingFixture f;
        TfrmSort& w = f.launch({"a"}, "soon");
        EXPECT_EQ(f.launchError, "'soon' is not a valid integer value");
        EXPECT_TRUE(f.test.modal.shown.empty());
        EXPECT_FALSE(w.Timer1->isActive()) << "a hidden window must not count down";
    }
    {
        SortingFixture f;
        f.folder.writeLines("text.mtp", {"", "reading.htm", "test.htm", "", "gone.txt"});
        f.launch({"a"});
        EXPECT_EQ(f.launchError, "Cannot open file " + f.folder.path() + "/data/text/gone.txt");
        EXPECT_TRUE(f.test.modal.shown.empty());
    }
}

TEST(Sorting, TheTimeOutCountsMisplacedItems) {
    const QStringList file{"a", "b", "", "a", "", "b"};
    {
        // Left in place: a and the empty row missing from ListBox2, b from ListBox3.
        SortingFixture f;
        TfrmSort& w = f.launch(file, "2");
        countDown(w, 1);
        EXPECT_TRUE(f.test.dialogs.boxes.empty());
        countDown(w, 1);
        EXPECT_EQ(f.test.dialogs.texts(), QStringList{QString::fromUtf8("Вы допустили ошибок: 3")});
        EXPECT_FALSE(w.Timer1->isActive());
    }
    {
        SortingFixture f;
        TfrmSort& w = f.launch(file, "2");
        move(w, w.ListBox1, "a", w.ListBox2);
        move(w, w.ListBox1, "", w.ListBox2);
        move(w, w.ListBox1, "b", w.ListBox3);
        EXPECT_TRUE(itemsOf(w.ListBox1).isEmpty());
        EXPECT_EQ(itemsOf(w.ListBox2), (QStringList{"a", ""}));
        countDown(w, 2);
        EXPECT_TRUE(f.test.dialogs.boxes.empty());
        EXPECT_FALSE(w.Timer1->isActive());
        // Run after the count goes on into negative numbers, never counting again.
        w.m11Click();
        countDown(w, 2);
        EXPECT_EQ(w.Label1->text(), "Time countdown: -2 seconds");
        EXPECT_TRUE(f.test.dialogs.boxes.empty());
    }
    {
        // A wrong item in a target counts as well as the missing one.
        SortingFixture f;
        TfrmSort& w = f.launch(file, "1");
        move(w, w.ListBox1, "b", w.ListBox2);
        countDown(w, 1);
        EXPECT_EQ(f.test.dialogs.texts(), QStringList{QString::fromUtf8("Вы допустили ошибок: 4")});
    }
}

TEST(Sorting, ItemsCompareWithoutLetterCaseAndByPresence) {
    test::TestPlatform test;
    TfrmSort w(test.platform);
    const test::TempDir folder;
    folder.write("data/text/sort.txt", "x\n\nApple\napple\n\xd0\x81\xd0\xb6\n\npear");
    test::LessonLists lists;
    lists.texts = platform::StringList({"sort.txt"});
    w.RunSorting(lists.entries(folder.path()));
    // The empty line that closes the right-hand group is expected there too.
    w.ListBox2->addItems({"APPLE", QString::fromUtf8("ёж"), QString()});
    w.ListBox3->addItems({"Pear", "pear"});
    EXPECT_EQ(w.CountErrors(), 0);
    w.ListBox3->addItem("plum");
    EXPECT_EQ(w.CountErrors(), 1);
}

TEST(Sorting, ABoxTakesDropsFromTheOthersOnly) {
    test::TestPlatform test;
    TfrmSort w(test.platform);
    w.ListBox1->addItems({"a", "b"});
    EXPECT_FALSE(w.ListBox1DragOver(w.ListBox1));
    EXPECT_FALSE(w.ListBox2DragOver(w.ListBox2));
    EXPECT_FALSE(w.ListBox3DragOver(w.ListBox3));
    EXPECT_TRUE(w.ListBox1DragOver(w.ListBox2));
    EXPECT_TRUE(w.ListBox2DragOver(w.ListBox1));
    EXPECT_TRUE(w.ListBox3DragOver(w.ListBox2));

    w.ListBox1->setCurrentRow(0);
    w.ListBox1DragDrop(w.ListBox1);
    EXPECT_EQ(itemsOf(w.ListBox1), (QStringList{"a", "b"}));
    // The item goes to the end of the target, from any box to any other.
    w.ListBox3->addItem("z");
    w.ListBox3DragDrop(w.ListBox1);
    EXPECT_EQ(itemsOf(w.ListBox3), (QStringList{"z", "a"}));
    w.ListBox3->setCurrentRow(0);
    w.ListBox2DragDrop(w.ListBox3);
    EXPECT_EQ(itemsOf(w.ListBox2), QStringList{"z"});
    EXPECT_EQ(itemsOf(w.ListBox3), QStringList{"a"});
    // A box with nothing selected gives nothing.
    w.ListBox1->clearSelection();
    w.ListBox2DragDrop(w.ListBox1);
    EXPECT_EQ(itemsOf(w.ListBox2), QStringList{"z"});
}

TEST(Sorting, TheBoxesShareThePanelInThirds) {
    test::TestPlatform test;
    TfrmSort w(test.platform);
    w.show();
    for (int width : {898, 1000, 700}) {
        w.resize(width, 604);
        QCoreApplication::processEvents();
        const int panel = w.Panel3->width();
        ASSERT_GT(panel, 0);
        EXPECT_EQ(w.ListBox1->x(), 0);
        EXPECT_EQ(w.ListBox1->width(), panel / 3);
        EXPECT_EQ(w.ListBox2->width(), panel / 3);
        EXPECT_EQ(w.ListBox2->geometry().right(), panel - 1);
        EXPECT_EQ(w.ListBox3->x(), panel / 3 + 1);
        EXPECT_EQ(w.ListBox3->geometry().right(), w.ListBox2->x() - 2);
        EXPECT_EQ(w.ListBox1->height(), w.Panel3->height());
    }
}

TEST(Sorting, AnItemIsDraggedWithTheMouse) {
    test::TestPlatform test;
    TfrmSort w(test.platform);
    w.ListBox1->addItems({"a", "b"});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QWidget* from = w.ListBox1->viewport();
    const QPoint start = w.ListBox1->visualItemRect(w.ListBox1->item(1)).center();
    const auto dragTo = [&](QListWidget* box) {
        return from->mapFromGlobal(box->viewport()->mapToGlobal(QPoint(20, 20)));
    };
    QTest::mousePress(from, Qt::LeftButton, {}, start);
    QTest::mouseMove(from, start + QPoint(3, 0));
    QTest::mouseMove(from, dragTo(w.ListBox3));
    EXPECT_TRUE(w.ListBox1->isDragging());
    QTest::mouseRelease(from, Qt::LeftButton, {}, dragTo(w.ListBox3));
    EXPECT_EQ(itemsOf(w.ListBox1), QStringList{"a"});
    EXPECT_EQ(itemsOf(w.ListBox3), QStringList{"b"});

    // Let go over its own box: nothing moves.
    const QPoint onA = w.ListBox1->visualItemRect(w.ListBox1->item(0)).center();
    QTest::mousePress(from, Qt::LeftButton, {}, onA);
    QTest::mouseMove(from, onA + QPoint(0, 40));
    QTest::mouseRelease(from, Qt::LeftButton, {}, onA + QPoint(0, 40));
    EXPECT_EQ(itemsOf(w.ListBox1), QStringList{"a"});
    EXPECT_FALSE(w.ListBox1->isDragging());

    // An item already selected drags the same way.
    w.ListBox1->setCurrentRow(0);
    QTest::mousePress(from, Qt::LeftButton, {}, onA);
    QTest::mouseMove(from, onA + QPoint(3, 3));
    QTest::mouseMove(from, dragTo(w.ListBox2));
    QTest::mouseRelease(from, Qt::LeftButton, {}, dragTo(w.ListBox2));
    EXPECT_TRUE(itemsOf(w.ListBox1).isEmpty());
    EXPECT_EQ(itemsOf(w.ListBox2), QStringList{"a"});
}

TEST(Sorting, RunCheckExitAndTheCloseBox) {
    test::TestPlatform test;
    TfrmSort w(test.platform);
    w.show();
    w.m11Click();
    EXPECT_TRUE(w.Timer1->isActive());
    w.m33Click();
    EXPECT_FALSE(w.Timer1->isActive());
    w.m11Click();
    w.m55Click();
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(w.isVisible());
    w.show();
    w.m11Click();
    w.close();
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST(Sorting, CtrlArrowsMoveTheSelectedItemToTheNeighbouringBoxAsADropWould) {
    SortingFixture f;
    TfrmSort& w = f.launch({"a", "b", "c", "", "x", "", "y"});
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // Left to right: the source, the middle box (ListBox3), the right box.
    w.ListBox1->setFocus();
    w.ListBox1->setCurrentRow(1);
    const auto key = [&](Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k, Qt::ControlModifier);
    };
    key(Qt::Key_Right);
    EXPECT_EQ(itemsOf(w.ListBox1), (QStringList{"a", "c", ""}));
    EXPECT_EQ(itemsOf(w.ListBox3), QStringList{"b"});
    EXPECT_EQ(w.ListBox1->currentItem()->text(), "c") << "the next item is selected";
    key(Qt::Key_Left);
    EXPECT_EQ(itemsOf(w.ListBox1), (QStringList{"a", "c", ""})) << "no box left of the source";

    QTest::keyClick(w.ListBox1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.ListBox3) << "Tab goes to the next box";
    w.ListBox3->setCurrentRow(0);
    key(Qt::Key_Right);
    EXPECT_TRUE(itemsOf(w.ListBox3).isEmpty());
    EXPECT_EQ(itemsOf(w.ListBox2), QStringList{"b"});
    key(Qt::Key_Right);
    EXPECT_EQ(itemsOf(w.ListBox2), QStringList{"b"}) << "an empty box has nothing to give";
}

TEST(Sorting, RunWhileCountingDownKeepsTheCurrentSecond) {
    test::TestPlatform test;
    TfrmSort w(test.platform);
    w.m11Click();
    QThread::msleep(200);
    w.m11Click();
    EXPECT_LT(w.Timer1->remainingTime(), 925) << "clicking Run must not hold the countdown";
    w.m55Click();
}

TEST(Sorting, F1AndTheHelpButtonOpenTheLessonTypesHelpPage) {
    SortingFixture f;
    TfrmSort& w = f.launch({"a", "", "a"});
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    w.m44()->clicked();
    const QString help = f.windows->MainFrm->AppFolder() + "\\help\\help_9.htm";
    EXPECT_EQ(f.test.shell.opened, QStringList({help, help}));
    EXPECT_TRUE(w.m44()->accessibleDescription().contains("F1"));
}
