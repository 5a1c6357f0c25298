// The demo course dresses every window. With LECTERN_SCREENSHOTS set to a
// folder, the windows are also saved there as pictures to look at.
#include "SkinCourse.h"
#include "app/Intro/TIntroFrm.h"
#include "app/WindowSet.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/TMainFrm.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMouseEvent>

namespace lectern {
namespace {

QString demoCourse() {
    return QString::fromLocal8Bit(qgetenv("LECTERN_DEMO_COURSE"));
}

void moveOver(QWidget* widget) {
    const QPointF inside(1, 1);
    QMouseEvent move(QEvent::MouseMove, inside, widget->mapToGlobal(inside), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

TEST(DemoCourse, DressesEveryWindow) {
    if (demoCourse().isEmpty() || !QFileInfo::exists(demoCourse() + "/main.dsg"))
        GTEST_SKIP() << "no demo course built";
    test::CurrentFolder here(demoCourse());
    test::TestPlatform services;
    app::WindowSet w(services.platform);
    w.MainFrm->show();
    ASSERT_EQ(services.dialogs.errors(), QStringList());
    EXPECT_FALSE(w.IntroFrm->Image1->Picture().isNull());
    w.IntroFrm->Image1Click();

    // One lit button a window, as the mouse would leave it.
    moveOver(w.MainFrm->m22());
    moveOver(w.ViewFrm->m11());
    moveOver(w.ViewTxtFrm->m11());
    moveOver(w.WorkTxtFrm->caa());

    const std::vector<std::pair<QString, QWidget*>> windows{
        {"MainFrm", w.MainFrm},       {"ViewFrm", w.ViewFrm},   {"ViewTxtFrm", w.ViewTxtFrm},
        {"WorkTxtFrm", w.WorkTxtFrm}, {"MultiFrm", w.MultiFrm}, {"frmSort", w.frmSort},
        {"IntroFrm", w.IntroFrm}};
    const QString shots = QString::fromLocal8Bit(qgetenv("LECTERN_SCREENSHOTS"));
    for (const auto& [name, window] : windows) {
        if (auto* skinned = qobject_cast<platform::SkinnedForm*>(window)) {
            SCOPED_TRACE(name.toStdString());
            for (platform::TImage* chrome :
                 {skinned->Image1, skinned->Image2, skinned->Image3, skinned->Image4})
                EXPECT_FALSE(chrome->Picture().isNull());
        }
        if (shots.isEmpty())
            continue;
        QDir().mkpath(shots);
        window->layout()->activate();
        EXPECT_TRUE(window->grab().save(shots + "/" + name + ".png"));
    }
}

}  // namespace
}  // namespace lectern
