// What a screen reader finds in every window of the demo course, walked
// through Qt's accessibility interfaces, which the AT-SPI bridge serves.
#include "SkinCourse.h"
#include "app/WindowSet.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "mainwindow/TMainFrm.h"
#include "platform/browser/TCppWebBrowser.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QFileInfo>

namespace lectern {
namespace {

QString demoCourse() {
    return QString::fromLocal8Bit(qgetenv("LECTERN_DEMO_COURSE"));
}

QString describe(QAccessibleInterface* node) {
    const QObject* object = node->object();
    return QStringLiteral("%1 '%2' (%3)")
        .arg(int(node->role()))
        .arg(node->text(QAccessible::Name),
             object ? QString::fromLatin1(object->metaObject()->className()) : QString());
}

// The focusable objects below `node` that a screen reader could not name or
// say what they are.
void collectFaults(QAccessibleInterface* node, QStringList& faults) {
    const QAccessible::State state = node->state();
    if (state.focusable && !state.invisible) {
        const QAccessible::Role role = node->role();
        if (node->text(QAccessible::Name).trimmed().isEmpty() || role == QAccessible::NoRole ||
            role == QAccessible::Client)
            faults << describe(node);
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* child = node->child(i))
            collectFaults(child, faults);
    }
}

// The window is a frame or a dialog to a screen reader, and everything in
// it that takes the focus has a name and a role.
void expectReadable(QWidget* window, const QString& what) {
    SCOPED_TRACE(what.toStdString());
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->role() == QAccessible::Window || root->role() == QAccessible::Dialog)
        << describe(root).toStdString();
    EXPECT_FALSE(root->text(QAccessible::Name).isEmpty());
    QStringList faults;
    collectFaults(root, faults);
    EXPECT_EQ(faults, QStringList());
}

}  // namespace

TEST(Accessibility, EveryWindowIsAFrameOrDialogAndEveryFocusableObjectHasANameAndARole) {
    if (demoCourse().isEmpty() || !QFileInfo::exists(demoCourse() + "/main.dsg"))
        GTEST_SKIP() << "no demo course built";
    test::CurrentFolder here(demoCourse());
    test::TestPlatform services;
    app::WindowSet w(services.platform);
    w.MainFrm->show();
    ASSERT_EQ(services.dialogs.errors(), QStringList());
    expectReadable(w.MainFrm, "main window");

    w.ViewFrm->show();
    expectReadable(w.ViewFrm, "page viewer");
    w.ViewFrm->close();

    // One lesson of each type of the demo course (but "4", which needs a
    // recording first and runs in the window of "2"), run as "Run lesson" does.
    for (const int node : {1, 2, 3, 4, 6, 11, 12, 13, 14}) {
        w.MainFrm->TreeView1->setCurrentIndex(w.MainFrm->TreeModel->indexOfNode(node));
        services.modal.shown.clear();
        w.MainFrm->guarded([&] { w.MainFrm->m22Click(); });
        ASSERT_EQ(services.modal.shown.size(), 1u) << "node " << node;
        QWidget* lesson = services.modal.shown.front();
        expectReadable(lesson, QStringLiteral("lesson %1, %2")
                                   .arg(node)
                                   .arg(QString::fromLatin1(lesson->metaObject()->className())));
        if (auto* test = qobject_cast<exercises::TMultiFrm*>(lesson)) {
            // The test opens on its page, not on its first button.
            QWidget* focus = test->focusWidget();
            EXPECT_TRUE(focus && (focus == test->CppWebBrowser1 ||
                                  test->CppWebBrowser1->isAncestorOf(focus)))
                << (focus ? focus->metaObject()->className() : "no focus");
        }
        lesson->close();
    }
    EXPECT_EQ(services.dialogs.errors(), QStringList());
}

}  // namespace lectern
