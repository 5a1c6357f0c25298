#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/RecordingLessonFixture.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "platform/Error.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

using namespace lectern;
using lectern::test::ReadingLessonFixture;
using lectern::test::RecordingLessonFixture;

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
    mainwindow::TMainFrm& main = f.start();
    f.test.dialogs.clear();
    main.m22Click();
    EXPECT_TRUE(f.test.modal.shown.empty());
}

TEST(Launcher, TheCommonResetRunsBeforeTheTypeIsLookedAt) {
    ReadingLessonFixture f;
    f.folder.writeLines("main.mtp", {"0", "12", "5", "0", "9"});
    mainwindow::TMainFrm& main = f.start();
    app::WindowSet& w = *f.windows;
    w.ViewTxtFrm->Timer1->start();
    w.WorkTxtFrm->Timer1->start();
    w.WorkTxtFrm->caa()->hide();
    w.ViewTxtFrm->TrackBar1->setEnabled(false);
    main.m2()->show();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
    main.m22Click();
    EXPECT_FALSE(w.ViewTxtFrm->Timer1->isActive());
    EXPECT_FALSE(w.WorkTxtFrm->Timer1->isActive());
    EXPECT_FALSE(w.WorkTxtFrm->caa()->isHidden());
    EXPECT_TRUE(w.ViewTxtFrm->TrackBar1->isEnabled());
    EXPECT_FALSE(main.m2()->isVisible());
    EXPECT_TRUE(f.test.modal.shown.empty());
}

TEST(Launcher, TheCommonResetClearsTheTimedRecordingAndSaveResultsFlags) {
    RecordingLessonFixture f("8", "90");
    f.folder.writeLines("main.mtp", {"0", "8", "7", "0", "12"});
    mainwindow::TMainFrm& main = f.start();
    app::WindowSet& w = *f.windows;
    const auto run = [&](int node) {
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(node));
        main.m22Click();
    };
    run(1);
    ASSERT_TRUE(w.ViewTxtFrm->IsTimedRecording());
    run(4);
    EXPECT_FALSE(w.ViewTxtFrm->IsTimedRecording());
    run(2);
    ASSERT_TRUE(w.MultiFrm->SavesResults());
    run(4);
    EXPECT_FALSE(w.MultiFrm->SavesResults());
    EXPECT_TRUE(f.test.dialogs.boxes.empty());
}

TEST(Launcher, AFailingStepStopsTheLaunchAndTheWindowIsNotShown) {
    {
        ReadingLessonFixture f;
        f.folder.remove("data/marks/reading.txt");
        mainwindow::TMainFrm& main = f.start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
        EXPECT_EQ(lectern::test::errorOf([&] { main.m22Click(); }),
                  "Cannot open file " + f.folder.path() + "/data/marks/reading.txt");
        EXPECT_TRUE(f.test.modal.shown.empty());
        EXPECT_EQ(f.windows->ViewTxtFrm->Caption(), "First reading") << "steps made stay made";
    }
    {
        ReadingLessonFixture f;
        f.folder.write("data/sound/reading.wav", "not a sound");
        mainwindow::TMainFrm& main = f.start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
        EXPECT_THROW(main.m22Click(), platform::EMCIDeviceError);
        EXPECT_TRUE(f.test.modal.shown.empty());
    }
    {
        ReadingLessonFixture f;
        f.folder.writeLines("zmarks.mtp", {""});
        mainwindow::TMainFrm& main = f.start();
        main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
        EXPECT_EQ(lectern::test::errorOf([&] { main.m22Click(); }), "List index out of bounds (1)");
        EXPECT_TRUE(f.test.modal.shown.empty());
    }
}

TEST(Launcher, ADoubleClickOnTheTreeRunsTheLesson) {
    ReadingLessonFixture f;
    mainwindow::TMainFrm& main = f.start();
    main.TreeView1->expandAll();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(1));
    emit main.TreeView1->doubleClicked(main.TreeModel->indexOfNode(1));
    EXPECT_EQ(f.test.modal.shown, std::vector<QWidget*>{f.windows->ViewTxtFrm});
}
