// The recording lessons: the reading window records the learner into the
// run's temporary recording, guided by the lesson's marks (types "3" and
// "11", the lesson's sound playing along in "11") or against a time limit
// (type "8").
#include "app/WindowSet.h"
#include "catalogue/CatalogueFiles.h"
#include "exercises/Viewtxt/TViewTxtFrm.h"
#include "main/TMainFrm.h"
#include "platform/Convert.h"
#include "platform/CourseFiles.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"

namespace lectern::main {
namespace {
namespace Paths = catalogue::CoursePaths;
}  // namespace

void TMainFrm::PrepareRecordingFile() {
    exercises::TViewTxtFrm& reading = *Windows().ViewTxtFrm;
    // Without a free name there is no file to record into; copying the blank
    // recording to an empty name and opening it would only give an obscure
    // player error.
    if (TempWavName.isEmpty())
        throw platform::Error(QStringLiteral("Cannot record: the temporary recording files ") +
                              AppFolder + Paths::TempRecording +
                              QStringLiteral("1.wav to temp99999.wav all exist"));
    reading.AppFolder = AppFolder;
    reading.TempWavName = TempWavName;
    platform().files.copyFile(AppFolder + Paths::BlankRecording, TempWavName);
    reading.m11->SetHint(QStringLiteral("Start record"));
    reading.m33->SetHint(QStringLiteral("Stop record"));
}

void TMainFrm::RunRecording(int node, bool playAlong) {
    exercises::TViewTxtFrm& reading = *Windows().ViewTxtFrm;
    reading.SetCaption(CaptionList[node]);
    PrepareRecordingFile();
    reading.CppWebBrowser1->Navigate(AppFolder + Paths::Texts + TextList[node]);
    reading.MarksList.LoadFromFile(platform().files, AppFolder + Paths::Marks + MarksList[node]);
    reading.Timer1->stop();
    reading.CurrentMark = 1;
    reading.PreviousMark = 1;
    reading.PlayClock = 0;
    reading.TrackBar1->setMaximum(std::max(reading.MarksList.Count() - 1, 0));
    reading.MediaPlayer1->SetFileName(TempWavName);
    reading.MediaPlayer1->Open();
    if (playAlong) {
        reading.MediaPlayer2->SetFileName(SoundRoot + Paths::Sounds + SoundList[node]);
        reading.MediaPlayer2->Open();
    }
    reading.PagePrepared = 0;
    reading.Paused = 0;
    reading.RecordingFinished = 0;
    reading.m22->SetHint(QStringLiteral("Pause"));
    reading.RecordingMode = 1;
    reading.PlayAlong = playAlong ? 1 : 0;
    reading.TrackBar1->setEnabled(false);
    reading.TrackBar1->setValue(0);
    reading.ShowModal();
}

void TMainFrm::RunTimedRecording(int node) {
    exercises::TViewTxtFrm& reading = *Windows().ViewTxtFrm;
    reading.SetCaption(CaptionList[node]);
    PrepareRecordingFile();
    reading.CppWebBrowser1->Navigate(AppFolder + Paths::Texts + TextList[node]);
    reading.Timer1->stop();
    reading.CurrentMark = 1;
    reading.PreviousMark = 1;
    reading.PlayClock = 0;
    reading.TimeLeft = platform::StrToInt(TimeList[node]);
    reading.TrackBar1->setMaximum(static_cast<int>(reading.TimeLeft));
    reading.MediaPlayer1->SetFileName(TempWavName);
    reading.MediaPlayer1->Open();
    reading.PagePrepared = 0;
    reading.Paused = 0;
    reading.RecordingFinished = 0;
    reading.m22->SetHint(QStringLiteral("Pause"));
    reading.RecordingMode = 1;
    reading.PlayAlong = 0;
    reading.TrackBar1->setEnabled(false);
    reading.TrackBar1->setValue(0);
    reading.TimedRecording = 1;
    reading.ShowModal();
}

}  // namespace lectern::main
