// The reading window's set-ups, as the launcher runs them: the common reset
// of every launch, then one set-up per lesson type, each step in its order.
#include "exercises/reading/TViewTxtFrm.h"

#include "catalogue/LessonEntries.h"
#include "exercises/practice/PracticeKeys.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/TMediaPlayer.h"

namespace lectern::exercises {

void TViewTxtFrm::ResetForLaunch() {
    // First: the moves of the reset are no passages the last lesson reached.
    Place.forget();
    ResumeAt = 0;
    Practice->load(platform().files.courseFolder());
    TrackBar1->setValue(0);
    MediaPlayer1->Close();
    MediaPlayer2->Close();
    TrackBar1->setEnabled(true);
    Timer1->stop();
    Timer2->stop();
    TimedRecording = false;
}

void TViewTxtFrm::loadPageAndMarks(const catalogue::LessonEntries& lesson) {
    CppWebBrowser1->Navigate(lesson.PagePath());
    MarksList.LoadFromFile(platform().files, lesson.MarksPath());
    rewind();
    TrackBar1->SetMax(MarksList.Count() - 1);
}

void TViewTxtFrm::rewind() {
    Timer1->stop();
    CurrentMark = 1;
    PreviousMark = 1;
    PlayClock = 0;
}

void TViewTxtFrm::clearFlags() {
    PagePrepared = false;
    Paused = false;
    RecordingFinished = false;
    m22()->SetHint(QStringLiteral("Pause"));
}

void TViewTxtFrm::prepareRecordingFile(const catalogue::LessonEntries& lesson,
                                       const QString& tempWavName) {
    // Without a free name there is no file to record into; copying the blank
    // recording to an empty name and opening it would only give an obscure
    // player error.
    if (tempWavName.isEmpty())
        throw platform::Error(lesson.NoTemporaryRecordingMessage());
    AppFolder = lesson.AppFolder();
    TempWavName = tempWavName;
    platform().files.copyFile(lesson.BlankRecordingPath(), TempWavName);
    m11()->SetHint(QStringLiteral("Start record"));
    m33()->SetHint(QStringLiteral("Stop record"));
}

void TViewTxtFrm::RunNarratedReading(const catalogue::LessonEntries& lesson) {
    SetCaption(lesson.Caption());
    m11()->SetHint(QStringLiteral("Play"));
    m33()->SetHint(QStringLiteral("Stop"));
    loadPageAndMarks(lesson);
    MediaPlayer1->SetFileName(lesson.SoundPath());
    MediaPlayer1->Open();
    clearFlags();
    RecordingMode = false;
    PlayAlong = false;
    TrackBar1->setEnabled(true);
    TrackBar1->setValue(0);
    ShowModal();
}

void TViewTxtFrm::RunRecording(const catalogue::LessonEntries& lesson, const QString& tempWavName,
                               bool playAlong) {
    SetCaption(lesson.Caption());
    prepareRecordingFile(lesson, tempWavName);
    loadPageAndMarks(lesson);
    MediaPlayer1->SetFileName(TempWavName);
    MediaPlayer1->Open();
    if (playAlong) {
        MediaPlayer2->SetFileName(lesson.SoundPath());
        MediaPlayer2->Open();
    }
    clearFlags();
    RecordingMode = true;
    PlayAlong = playAlong;
    TrackBar1->setEnabled(false);
    TrackBar1->setValue(0);
    ShowModal();
}

void TViewTxtFrm::RunTimedRecording(const catalogue::LessonEntries& lesson,
                                    const QString& tempWavName) {
    SetCaption(lesson.Caption());
    prepareRecordingFile(lesson, tempWavName);
    CppWebBrowser1->Navigate(lesson.PagePath());
    // No marks file: the marks list keeps what it held.
    rewind();
    TimeLeft = lesson.Seconds();
    TrackBar1->SetMax(static_cast<int>(TimeLeft));
    MediaPlayer1->SetFileName(TempWavName);
    MediaPlayer1->Open();
    clearFlags();
    RecordingMode = true;
    PlayAlong = false;
    TrackBar1->setEnabled(false);
    TrackBar1->setValue(0);
    TimedRecording = true;
    ShowModal();
}

}  // namespace lectern::exercises
