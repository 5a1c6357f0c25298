#include "exercises/Multi/TMultiFrm.h"
#include "exercises/Viewtxt/ReadingLessonFixture.h"
#include "exercises/Worktxt/TWorkTxtFrm.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

using namespace lectern;
using lectern::test::ReadingLessonFixture;

namespace {

QString errorOf(main::TMainFrm& main) {
    try {
        main.m22Click();
    } catch (const platform::Error& error) {
        return error.message();
    }
    return {};
}

}  // namespace

TEST(Launcher, TypeEntriesAreComparedAsExactText) {
    for (const char* type : {" 1", "1 ", "01", "10", "", "0"}) {
        ReadingLessonFixture f;
        f.folder.writeLines("main.mtp", {"0", type, "5", "0", "9"});
        f.launch();
        EXPECT_TRUE(f.test.modal.shown.empty()) << type;
        EXPECT_TRUE(f.test.dialogs.boxes.empty()) << type;
    }
}

TEST(Launcher, AnEmptyTreeOpensNothing) {
    ReadingLessonFixture f;
    f.folder.writeLines("main.mrb", {});
    main::TMainFrm& main = f.start();
    f.test.dialogs.clear();
    main.m22Click();
    EXPECT_TRUE(f.test.modal.shown.empty());
}

TEST(Launcher, TheCommonResetRunsBeforeTheTypeIsLookedAt) {
    ReadingLessonFixture f;
    f.folder.writeLines("main.mtp", {"0", "12", "5", "0", "9"});
    main::TMainFrm& main = f.start();
    app::WindowSet& w = *f.windows;
    w.ViewTxtFrm->Timer1->start();
    w.WorkTxtFrm->Timer1->start();
    w.WorkTxtFrm->caa->hide();
    w.ViewTxtFrm->TimedRecording = 1;
    w.MultiFrm->SaveResults = 1;
    w.ViewTxtFrm->TrackBar1->setEnabled(false);
    main.m2->show();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
    main.m22Click();
    EXPECT_FALSE(w.ViewTxtFrm->Timer1->isActive());
    EXPECT_FALSE(w.WorkTxtFrm->Timer1->isActive());
    EXPECT_FALSE(w.WorkTxtFrm->caa->isHidden());
    EXPECT_EQ(w.ViewTxtFrm->TimedRecording, 0);
    EXPECT_EQ(w.MultiFrm->SaveResults, 0);
    EXPECT_TRUE(w.ViewTxtFrm->TrackBar1->isEnabled());
    EXPECT_FALSE(main.m2->isVisible());
    EXPECT_TRUE(f.test.modal.shown.empty());
}

TEST(Launcher, AFailingStepStopsTheLaunchAndTheWindowIsNotShown) {
    {
        ReadingLessonFixture f;
        f.folder.remove("data/marks/reading.txt");
        main::TMainFrm& main = f.start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
        EXPECT_EQ(errorOf(main), "Cannot open file " + f.folder.path() + "/data/marks/reading.txt");
        EXPECT_TRUE(f.test.modal.shown.empty());
        EXPECT_EQ(f.windows->ViewTxtFrm->Caption(), "First reading") << "steps made stay made";
    }
    {
        ReadingLessonFixture f;
        f.folder.write("data/sound/reading.wav", "not a sound");
        main::TMainFrm& main = f.start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
        EXPECT_THROW(main.m22Click(), platform::EMCIDeviceError);
        EXPECT_TRUE(f.test.modal.shown.empty());
    }
    {
        ReadingLessonFixture f;
        f.folder.writeLines("zmarks.mtp", {""});
        main::TMainFrm& main = f.start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
        EXPECT_EQ(errorOf(main), "List index out of bounds (1)");
        EXPECT_TRUE(f.test.modal.shown.empty());
    }
}

TEST(Launcher, ADoubleClickOnTheTreeRunsTheLesson) {
    ReadingLessonFixture f;
    main::TMainFrm& main = f.start();
    main.TreeView1->expandAll();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
    emit main.TreeView1->doubleClicked(main.TreeModel->indexOfNode(1));
    EXPECT_EQ(f.test.modal.shown, std::vector<QWidget*>{f.windows->ViewTxtFrm});
}
