// "Run lesson" for the unit work window: the lesson page and its translation
// side by side, with the lesson's sound or the learner's last recording.
#include "main/TMainFrm.h"

#include "catalogue/CatalogueFiles.h"
#include "exercises/Worktxt/TWorkTxtFrm.h"
#include "platform/Dialogs.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"

#include <algorithm>

namespace lectern::main {
namespace {

namespace Paths = catalogue::CoursePaths;
using exercises::TWorkTxtFrm;

// The two pages share the middle between the side pictures equally.
void splitPages(TWorkTxtFrm& work) {
    work.CppWebBrowser1->setFixedWidth(
        (work.Width() - work.Image1->width() - work.Image2->width() - 6) / 2);
}

void resetState(TWorkTxtFrm& work) {
    work.LeftPagePrepared = 0;
    work.RightPagePrepared = 0;
    work.Paused = 0;
    work.CycleMode = 0;
    work.UnitStep = 0;
    work.m22->SetHint(QStringLiteral("Pause"));
    work.caa->SetHint(QStringLiteral("Begin unit"));
}

void startAtPassageOne(TWorkTxtFrm& work) {
    work.Timer1->stop();
    work.CurrentMark = 1;
    work.PreviousMark = 1;
    work.PlayClock = 0;
    // An empty marks list leaves the track bar a single position, not a
    // negative one that the handlers would read as passage 0.
    work.TrackBar1->SetMax(work.MarksList.Count() - 1);
}

}  // namespace

void TMainFrm::RunUnitWork(int node) {
    TWorkTxtFrm& work = *Windows().WorkTxtFrm;
    work.SetCaption(CaptionList[node]);
    work.CppWebBrowser1->Navigate(AppFolder + Paths::Texts + TextList[node]);
    work.CppWebBrowser2->Navigate(AppFolder + Paths::Texts + TransList[node]);
    work.MarksList.LoadFromFile(platform().files, AppFolder + Paths::Marks + MarksList[node]);
    startAtPassageOne(work);
    work.MediaPlayer1->SetFileName(SoundRoot + Paths::Sounds + SoundList[node]);
    work.MediaPlayer1->Open();
    splitPages(work);
    resetState(work);
    work.TrackBar1->setValue(0);
    work.ShowModal();
}

void TMainFrm::RunRecordingReplay(int node) {
    TWorkTxtFrm& work = *Windows().WorkTxtFrm;
    work.c->hide();
    work.caa->hide();
    work.SetCaption(CaptionList[node]);
    work.CppWebBrowser1->Navigate(AppFolder + Paths::Texts + TextList[node]);
    work.CppWebBrowser2->Navigate(AppFolder + Paths::Texts + TransList[node]);
    work.MarksList.LoadFromFile(platform().files, AppFolder + Paths::UserMarks);
    if (work.MarksList.Count() == 0) {
        platform().dialogs.showMessage(QStringLiteral("Sound file empty."));
        return;
    }
    startAtPassageOne(work);
    work.MediaPlayer1->SetFileName(TempWavName);
    work.MediaPlayer1->Open();
    splitPages(work);
    resetState(work);
    work.TrackBar1->setValue(0);
    work.TrackBar1->setEnabled(false);
    work.ShowModal();
}

}  // namespace lectern::main
