// "Run lesson": brings the exercise windows back to a starting state, then
// prepares and shows the window that the selected node's lesson type names.
#include "main/TMainFrm.h"

#include "catalogue/CatalogueFiles.h"
#include "exercises/Multi/TMultiFrm.h"
#include "exercises/Viewtxt/TViewTxtFrm.h"
#include "exercises/Worktxt/TWorkTxtFrm.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"

namespace lectern::main {
namespace {
namespace Paths = catalogue::CoursePaths;
}  // namespace

QString TMainFrm::LessonHelpPage() const {
    return AppFolder + Paths::LessonHelp + TypeList[SelectedIndex()] + QStringLiteral(".htm");
}

void TMainFrm::m22Click() {
    const ExerciseWindows& w = Windows();
    exercises::TViewTxtFrm& reading = *w.ViewTxtFrm;
    exercises::TWorkTxtFrm& work = *w.WorkTxtFrm;

    work.TrackBar1->setValue(0);
    reading.TrackBar1->setValue(0);
    reading.MediaPlayer1->Close();
    reading.MediaPlayer2->Close();
    work.MediaPlayer1->Close();
    m2->hide();
    reading.TrackBar1->setEnabled(true);
    work.TrackBar1->setEnabled(true);
    reading.Timer1->stop();
    reading.Timer2->stop();
    work.Timer1->stop();
    work.c->show();
    work.caa->show();
    reading.TimedRecording = 0;
    w.MultiFrm->SaveResults = 0;

    const int node = SelectedIndex();
    if (node < 0)
        return;
    // The type entry is compared as text, exactly: " 1", "01" and "10" open nothing.
    const QString& type = TypeList[node];
    if (type == QLatin1String("1"))
        RunNarratedReading(node);
    else if (type == QLatin1String("2"))
        RunUnitWork(node);
    else if (type == QLatin1String("3"))
        RunRecording(node, false);
    else if (type == QLatin1String("4"))
        RunRecordingReplay(node);
    else if (type == QLatin1String("11"))
        RunRecording(node, true);
    else if (type == QLatin1String("5") || type == QLatin1String("6") || type == QLatin1String("7"))
        RunTest(node);
    else if (type == QLatin1String("8"))
        RunTimedRecording(node);
    else if (type == QLatin1String("9"))
        RunSorting(node);
}

void TMainFrm::LoadReadingLesson(int node) {
    exercises::TViewTxtFrm& reading = *Windows().ViewTxtFrm;
    reading.CppWebBrowser1->Navigate(AppFolder + Paths::Texts + TextList[node]);
    reading.MarksList.LoadFromFile(platform().files, AppFolder + Paths::Marks + MarksList[node]);
    RewindReadingWindow();
    reading.TrackBar1->SetMax(reading.MarksList.Count() - 1);
}

void TMainFrm::RewindReadingWindow() {
    exercises::TViewTxtFrm& reading = *Windows().ViewTxtFrm;
    reading.Timer1->stop();
    reading.CurrentMark = 1;
    reading.PreviousMark = 1;
    reading.PlayClock = 0;
}

void TMainFrm::ClearReadingFlags() {
    exercises::TViewTxtFrm& reading = *Windows().ViewTxtFrm;
    reading.PagePrepared = 0;
    reading.Paused = 0;
    reading.RecordingFinished = 0;
    reading.m22->SetHint(QStringLiteral("Pause"));
}

void TMainFrm::RunNarratedReading(int node) {
    exercises::TViewTxtFrm& reading = *Windows().ViewTxtFrm;
    reading.SetCaption(CaptionList[node]);
    reading.m11->SetHint(QStringLiteral("Play"));
    reading.m33->SetHint(QStringLiteral("Stop"));
    LoadReadingLesson(node);
    reading.MediaPlayer1->SetFileName(SoundRoot + Paths::Sounds + SoundList[node]);
    reading.MediaPlayer1->Open();
    ClearReadingFlags();
    reading.RecordingMode = 0;
    reading.PlayAlong = 0;
    reading.TrackBar1->setEnabled(true);
    reading.TrackBar1->setValue(0);
    reading.ShowModal();
}

}  // namespace lectern::main
