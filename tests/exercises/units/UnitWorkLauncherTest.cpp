#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/units/UnitWorkFixture.h"
#include "platform/browser/TCppWebBrowser.h"

#include <gtest/gtest.h>

using namespace lectern;
using lectern::test::UnitWorkFixture;

TEST(UnitWorkLauncher, PreparesTheWindowForTheLessonSound) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    mainwindow::TMainFrm& main = *f.windows->MainFrm;
    // A first run leaves a cycle playing, paused, with a unit begun.
    w.m11Click();
    while (w.CurrentMarkNumber() < 3)
        f.tick();
    w.m22Click();
    w.caaClick();
    w.TrackBar1->setValue(3);
    w.caaClick();
    w.caaClick();
    f.tick();
    // Pause; a window that still holds the paused flag takes the press as
    // Continue, and the next one pauses.
    w.m22Click();
    if (!w.IsPaused())
        w.m22Click();
    w.caaClick();
    ASSERT_TRUE(w.IsCycleMode());
    ASSERT_TRUE(w.IsPaused());
    ASSERT_EQ(w.NextUnitStep(), exercises::TWorkTxtFrm::UnitStep::EndUnit);
    f.test.modal.shown.clear();
    // The pages share the middle: (1000 − 49 − 51 − 6) / 2.
    w.SetWidth(1000);
    platform::SkinnedForm::SizeEdge(w.Image1, 49);
    platform::SkinnedForm::SizeEdge(w.Image2, 51);
    f.launch();
    const QString app = f.folder.path();
    ASSERT_TRUE(f.test.dialogs.boxes.empty()) << f.test.dialogs.texts().join('\n').toStdString();
    ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{&w});
    EXPECT_EQ(w.Caption(), "Units");
    EXPECT_EQ(w.CppWebBrowser1->LocationURL(), app + "\\data\\text\\unit.htm");
    EXPECT_EQ(w.CppWebBrowser2->LocationURL(), app + "\\data\\text\\unit_tr.htm");
    EXPECT_EQ(w.MediaPlayer1->FileName(), main.SoundRoot() + "data\\sound\\unit.wav");
    EXPECT_TRUE(w.MediaPlayer1->IsOpen());
    EXPECT_EQ(w.Marks().Count(), 5);
    EXPECT_EQ(w.TrackBar1->maximum(), 4);
    EXPECT_EQ(w.TrackBar1->value(), 0);
    EXPECT_TRUE(w.TrackBar1->isEnabled());
    EXPECT_EQ(w.CppWebBrowser1->width(), 447);
    EXPECT_EQ(w.NextUnitStep(), exercises::TWorkTxtFrm::UnitStep::BeginUnit);
    EXPECT_FALSE(w.IsCycleMode());
    EXPECT_FALSE(w.IsPaused());
    EXPECT_EQ(w.m22()->Hint(), "Pause");
    EXPECT_EQ(w.caa()->Hint(), "Begin unit");
    EXPECT_FALSE(w.caa()->isHidden());
    EXPECT_FALSE(w.c()->isHidden());
    EXPECT_EQ(w.LeftPagePreparedCount(), 1);
    EXPECT_EQ(w.RightPagePreparedCount(), 1);
    EXPECT_EQ(f.pages(), "instext comm text text text | inscomm text comm text text");

    // Later loads only renew the documents.
    w.CppWebBrowser1->Navigate(w.CppWebBrowser1->LocationURL());
    f.loadPages();
    EXPECT_EQ(f.left(), "text comm text text text");
    EXPECT_EQ(w.LeftPagePreparedCount(), 1);
}

TEST(UnitWorkLauncher, ReplayWithoutUserMarksShowsNoWindow) {
    UnitWorkFixture f;
    mainwindow::TMainFrm& main = f.start();
    exercises::TWorkTxtFrm& w = f.work();
    w.Timer1->start();
    f.windows->ViewTxtFrm->Timer1->start();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(f.ReplayNode));
    main.m22Click();
    EXPECT_EQ(f.test.dialogs.texts(), QStringList{"Sound file empty."});
    EXPECT_TRUE(f.test.modal.shown.empty());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_FALSE(f.windows->ViewTxtFrm->Timer1->isActive());
    EXPECT_FALSE(w.MediaPlayer1->IsOpen());
    EXPECT_EQ(w.Caption(), "Replay") << "the steps before the check stay made";
    EXPECT_TRUE(w.caa()->isHidden());
    EXPECT_TRUE(w.c()->isHidden());
}

TEST(UnitWorkLauncher, ReplayPlaysTheRecordingAgainstTheUserMarks) {
    UnitWorkFixture f;
    mainwindow::TMainFrm& main = f.start();
    f.folder.writeLines("data/umarks.txt", {"700", "1700", "2700", "3700", "4700"});
    test::writeTone(platform::CourseFiles::nativePath(main.TempWavName()),
                    SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 5000);
    exercises::TWorkTxtFrm& w = f.launch(f.ReplayNode);
    ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{&w});
    EXPECT_EQ(w.MediaPlayer1->FileName(), main.TempWavName());
    EXPECT_TRUE(w.MediaPlayer1->IsOpen());
    EXPECT_EQ(w.Marks().Count(), 5);
    EXPECT_EQ(w.TrackBar1->maximum(), 4);
    EXPECT_TRUE(w.caa()->isHidden());
    EXPECT_TRUE(w.c()->isHidden());
    EXPECT_FALSE(w.TrackBar1->isEnabled());

    w.m11Click();
    EXPECT_FALSE(w.TrackBar1->isEnabled());
    w.m22Click();
    EXPECT_TRUE(w.TrackBar1->isEnabled()) << "the first Pause frees it";

    // A later type "2" launch offers the unit button again.
    f.launch();
    EXPECT_FALSE(w.caa()->isHidden());
    EXPECT_TRUE(w.TrackBar1->isEnabled());
}

TEST(UnitWorkLauncher, ReplayTrackBarIsFreedByStop) {
    UnitWorkFixture f;
    mainwindow::TMainFrm& main = f.start();
    f.folder.writeLines("data/umarks.txt", {"700", "1700"});
    test::writeTone(platform::CourseFiles::nativePath(main.TempWavName()),
                    SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 2000);
    exercises::TWorkTxtFrm& w = f.launch(f.ReplayNode);
    w.m33Click();
    EXPECT_TRUE(w.TrackBar1->isEnabled());
}
