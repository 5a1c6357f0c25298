#include "SkinCourse.h"
#include "app/WindowSet.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/TMainFrm.h"
#include "platform/browser/TCppWebBrowser.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace lectern {
namespace {

using platform::TImage;
using Holders = std::vector<TImage*>;

void moveOver(QWidget* widget) {
    const QPointF inside(1, 1);
    QMouseEvent move(QEvent::MouseMove, inside, widget->mapToGlobal(inside), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

void setAll(const Holders& holders, bool lit) {
    for (TImage* holder : holders)
        holder->setVisible(lit);
}

Holders litOf(const Holders& holders) {
    Holders lit;
    for (TImage* holder : holders)
        if (!holder->isHidden())
            lit.push_back(holder);
    return lit;
}

// One row of a window's hover table: the image the mouse moves over, and the
// holders lit afterwards when all were lit before, and when none was.
struct HoverRow {
    const char* name;
    QWidget* over;
    Holders afterAllLit;
    Holders afterNoneLit;
};

void checkTable(const Holders& holders, const std::vector<HoverRow>& rows) {
    for (const HoverRow& row : rows) {
        SCOPED_TRACE(row.name);
        setAll(holders, true);
        moveOver(row.over);
        EXPECT_EQ(litOf(holders), row.afterAllLit);
        setAll(holders, false);
        moveOver(row.over);
        EXPECT_EQ(litOf(holders), row.afterNoneLit);
    }
}

// The holders m1 to m5 of a window's five buttons.
template <class Window>
Holders holdersOf(Window& w) {
    return {w.m1(), w.m2(), w.m3(), w.m4(), w.m5()};
}

// The rows of a window's five buttons, each lighting its own holder alone.
template <class Window>
std::vector<HoverRow> buttonRows(Window& w) {
    return {{"m11", w.m11(), {w.m1()}, {w.m1()}},
            {"m22", w.m22(), {w.m2()}, {w.m2()}},
            {"m33", w.m33(), {w.m3()}, {w.m3()}},
            {"m44", w.m44(), {w.m4()}, {w.m4()}},
            {"m55", w.m55(), {w.m5()}, {w.m5()}}};
}

// The button rows and a last row for the window's picture, which puts every
// light out.
template <class Window>
std::vector<HoverRow> rowsWithPicture(Window& w, const char* name, QWidget* picture) {
    std::vector<HoverRow> rows = buttonRows(w);
    rows.push_back({name, picture, {}, {}});
    return rows;
}

class HoverTest : public ::testing::Test {
  protected:
    test::SkinCourse course;
    test::CurrentFolder here{course.path()};
    test::TestPlatform services;
    app::WindowSet w{services.platform};
};

TEST_F(HoverTest, MainWindowLightsTheButtonUnderTheMouseOnly) {
    mainwindow::TMainFrm& m = *w.MainFrm;
    checkTable(holdersOf(m), rowsWithPicture(m, "Image3", m.Image3));
}

TEST_F(HoverTest, PageViewerAndReadingWindowFollowTheirTables) {
    exercises::TViewFrm& v = *w.ViewFrm;
    checkTable({v.m1()}, {{"m11", v.m11(), {v.m1()}, {v.m1()}}, {"Image4", v.Image4, {}, {}}});

    exercises::TViewTxtFrm& r = *w.ViewTxtFrm;
    checkTable(holdersOf(r), rowsWithPicture(r, "Image4", r.Image4));
}

TEST_F(HoverTest, UnitWorkWindowKeepsTheUnitLightFromExit) {
    exercises::TWorkTxtFrm& u = *w.WorkTxtFrm;
    Holders holders = holdersOf(u);
    holders.push_back(u.ca());
    std::vector<HoverRow> rows = rowsWithPicture(u, "Image4", u.Image4);
    rows[4].afterAllLit = {u.m5(), u.ca()};  // "Exit" leaves the unit light on
    rows.push_back({"caa", u.caa(), {u.ca()}, {u.ca()}});
    checkTable(holders, rows);

    // From the unit button straight onto "Exit": both stay lit.
    setAll(holders, false);
    moveOver(u.caa());
    moveOver(u.m55());
    EXPECT_EQ(litOf(holders), (Holders{u.m5(), u.ca()}));
    EXPECT_FALSE(u.c()->isHidden());
}

TEST_F(HoverTest, TestAndSortingWindowsNeverLightAHolder) {
    exercises::TMultiFrm& t = *w.MultiFrm;
    exercises::TfrmSort& s = *w.frmSort;
    const Holders holders{t.m1(), t.m2(), t.m3(), t.m4(), t.m5(),
                          s.m1(), s.m2(), s.m3(), s.m4(), s.m5()};
    for (QWidget* over : {t.m11(), t.m22(), t.m33(), t.m44(), t.m55(), t.Image3, t.Image4, s.m11(),
                          s.m22(), s.m33(), s.m44(), s.m55(), s.Image3, s.Image4})
        moveOver(over);
    EXPECT_EQ(litOf(holders), Holders{});
}

TEST_F(HoverTest, OnlyTheTopBarPutsTheMainWindowsLightOut) {
    w.MainFrm->show();
    ASSERT_EQ(services.dialogs.errors(), QStringList());
    mainwindow::TMainFrm& m = *w.MainFrm;
    const Holders holders = holdersOf(m);

    // "Help" straight onto "About".
    moveOver(m.m33());
    moveOver(m.m44());
    EXPECT_EQ(litOf(holders), Holders{m.m4()});

    moveOver(m.TreeView1->viewport());
    moveOver(m.CppWebBrowser1);
    moveOver(m.Image1);
    EXPECT_EQ(litOf(holders), Holders{m.m4()});
    EXPECT_EQ(m.focusWidget(), m.TreeView1);

    moveOver(m.Image3);
    EXPECT_EQ(litOf(holders), Holders{});
}

TEST_F(HoverTest, TheWindowSystemsMouseReachesTheButtons) {
    w.MainFrm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.MainFrm));
    mainwindow::TMainFrm& m = *w.MainFrm;
    const Holders holders = holdersOf(m);
    QTest::mouseMove(w.MainFrm, m.m22()->mapTo(w.MainFrm, m.m22()->rect().center()));
    EXPECT_EQ(litOf(holders), Holders{m.m2()});
    const QPoint barOnly(m.Panel1->width() - 2, m.Panel1->height() - 2);
    ASSERT_FALSE(m.m55()->geometry().contains(barOnly));
    QTest::mouseMove(w.MainFrm, m.Panel1->mapTo(w.MainFrm, barOnly));
    EXPECT_EQ(litOf(holders), Holders{});
}

TEST_F(HoverTest, ALightGoesOutWhenTheMouseLeavesItsButtonStraightIntoThePage) {
    w.ViewTxtFrm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.ViewTxtFrm));
    exercises::TViewTxtFrm& r = *w.ViewTxtFrm;
    QTest::mouseMove(&r, r.m33()->mapTo(&r, r.m33()->rect().center()));
    ASSERT_EQ(litOf(holdersOf(r)), Holders{r.m3()});
    // Up into the page, never crossing the bar's background.
    QTest::mouseMove(&r, r.CppWebBrowser1->mapTo(&r, r.CppWebBrowser1->rect().center()));
    EXPECT_EQ(litOf(holdersOf(r)), Holders{});

    // However the mouse leaves: a box or another window over it, say.
    exercises::TWorkTxtFrm& u = *w.WorkTxtFrm;
    moveOver(u.caa());
    ASSERT_FALSE(u.ca()->isHidden());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(u.caa(), &leave);
    EXPECT_TRUE(u.ca()->isHidden());
}

TEST_F(HoverTest, ButtonsWorkFromTheKeyboardAndForScreenReaders) {
    mainwindow::TMainFrm& m = *w.MainFrm;
    QSignalSpy clicks(m.m22(), &TImage::clicked);
    QTest::keyClick(m.m22(), Qt::Key_Return);
    QTest::keyClick(m.m22(), Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
    // A held key clicks once; its auto-repeats are not clicks.
    for (const int key : {Qt::Key_Return, Qt::Key_Space}) {
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(m.m22(), &repeat);
    }
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(m.m22()->focusPolicy(), Qt::StrongFocus);

    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(m.m22());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), "Run lesson");
    ASSERT_NE(button->actionInterface(), nullptr);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 3);
}

TEST_F(HoverTest, TheFocusFrameShowsWhenTheKeyboardIsInUse) {
    w.MainFrm->show();
    QApplication::setActiveWindow(w.MainFrm);
    mainwindow::TMainFrm& m = *w.MainFrm;
    w.MainFrm->m11()->setFocus(Qt::OtherFocusReason);
    const QImage plain = m.Panel1->grab(m.m22()->geometry()).toImage();

    m.m22()->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(m.m22()->hasFocus());
    EXPECT_EQ(m.Panel1->grab(m.m22()->geometry()).toImage(), plain);

    m.m11()->setFocus(Qt::OtherFocusReason);
    m.m22()->setFocus(Qt::TabFocusReason);
    EXPECT_NE(m.Panel1->grab(m.m22()->geometry()).toImage(), plain);
}

TEST_F(HoverTest, AClickPutsTheButtonsOwnLightOut) {
    exercises::TViewTxtFrm& r = *w.ViewTxtFrm;
    r.show();
    moveOver(r.m55());
    ASSERT_TRUE(r.m5()->isVisible());
    r.m55()->click();
    EXPECT_TRUE(r.m5()->isHidden()) << "so that it is not lit when the window opens again";

    exercises::TWorkTxtFrm& u = *w.WorkTxtFrm;
    u.show();
    moveOver(u.m44());
    ASSERT_TRUE(u.m4()->isVisible());
    u.m44()->click();
    EXPECT_TRUE(u.m4()->isHidden());
}

}  // namespace
}  // namespace lectern
