// The recording lessons: the reading window records the learner into the
// run's temporary recording, guided by the lesson's marks (types "3" and
// "11", the lesson's sound playing along in "11") or against a time limit
// (type "8").
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
    LoadReadingLesson(node);
    reading.MediaPlayer1->SetFileName(TempWavName);
    reading.MediaPlayer1->Open();
    if (playAlong) {
        reading.MediaPlayer2->SetFileName(SoundRoot + Paths::Sounds + SoundList[node]);
        reading.MediaPlayer2->Open();
    }
    ClearReadingFlags();
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
    // No marks file: the marks list keeps what it held.
    RewindReadingWindow();
    reading.TimeLeft = platform::StrToInt(TimeList[node]);
    reading.TrackBar1->SetMax(static_cast<int>(reading.TimeLeft));
    reading.MediaPlayer1->SetFileName(TempWavName);
    reading.MediaPlayer1->Open();
    ClearReadingFlags();
    reading.RecordingMode = 1;
    reading.PlayAlong = 0;
    reading.TrackBar1->setEnabled(false);
    reading.TrackBar1->setValue(0);
    reading.TimedRecording = 1;
    reading.ShowModal();
}

}  // namespace lectern::main
