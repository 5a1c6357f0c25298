// The unit work window's set-ups, as the launcher runs them: the common
// reset of every launch, then one set-up per lesson type, each step in its
// order.
#include "exercises/units/TWorkTxtFrm.h"

#include "catalogue/LessonEntries.h"
#include "exercises/practice/PracticeKeys.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/desktop/Dialogs.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/TMediaPlayer.h"

namespace lectern::exercises {

void TWorkTxtFrm::ResetForLaunch() {
    // First: the moves of the reset are no passages the last lesson reached.
    Place.forget();
    ResumeAt = 0;
    Practice->load(platform().files.courseFolder());
    TrackBar1->setValue(0);
    MediaPlayer1->Close();
    TrackBar1->setEnabled(true);
    Timer1->stop();
    c()->show();
    caa()->show();
}

// The two pages share the middle between the side pictures equally.
void TWorkTxtFrm::splitPages() {
    CppWebBrowser1->setFixedWidth((Width() - Image1->width() - Image2->width() - 6) / 2);
}

void TWorkTxtFrm::clearFlags() {
    LeftPagePrepared = 0;
    RightPagePrepared = 0;
    Paused = false;
    CycleMode = false;
    Step = UnitStep::BeginUnit;
    m22()->SetHint(QStringLiteral("Pause"));
    caa()->SetHint(QStringLiteral("Begin unit"));
}

void TWorkTxtFrm::rewind() {
    Timer1->stop();
    CurrentMark = 1;
    PreviousMark = 1;
    PlayClock = 0;
    // An empty marks list leaves the track bar a single position, not a
    // negative one that the handlers would read as passage 0.
    TrackBar1->SetMax(MarksList.Count() - 1);
}

void TWorkTxtFrm::RunUnitWork(const catalogue::LessonEntries& lesson) {
    SetCaption(lesson.Caption());
    CppWebBrowser1->Navigate(lesson.PagePath());
    CppWebBrowser2->Navigate(lesson.TranslationPath());
    MarksList.LoadFromFile(platform().files, lesson.MarksPath());
    rewind();
    MediaPlayer1->SetFileName(lesson.SoundPath());
    MediaPlayer1->Open();
    splitPages();
    clearFlags();
    TrackBar1->setValue(0);
    ShowModal();
}

void TWorkTxtFrm::RunRecordingReplay(const catalogue::LessonEntries& lesson,
                                     const QString& tempWavName) {
    c()->hide();
    caa()->hide();
    SetCaption(lesson.Caption());
    CppWebBrowser1->Navigate(lesson.PagePath());
    CppWebBrowser2->Navigate(lesson.TranslationPath());
    MarksList.LoadFromFile(platform().files, lesson.UserMarksPath());
    if (MarksList.Count() == 0) {
        platform().dialogs.showMessage(QStringLiteral("Sound file empty."));
        return;
    }
    rewind();
    MediaPlayer1->SetFileName(tempWavName);
    MediaPlayer1->Open();
    splitPages();
    clearFlags();
    TrackBar1->setValue(0);
    TrackBar1->setEnabled(false);
    ShowModal();
}

}  // namespace lectern::exercises
