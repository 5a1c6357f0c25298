#pragma once

#include "platform/Dialogs.h"
#include "platform/StringList.h"
#include "platform/browser/Variant.h"
#include "platform/widgets/SkinnedForm.h"
#include "platform/widgets/TTrackBar.h"

#include <QLabel>
#include <QTimer>
#include <functional>

namespace lectern::platform {
class TCppWebBrowser;
class TMediaPlayer;
}  // namespace lectern::platform

namespace lectern::exercises {

// The narrated reading window: one lesson page highlighted passage by
// passage in step with a sound; it also runs the recording lessons.
class TViewTxtFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    TViewTxtFrm(platform::Platform& platform, QWidget* mainForm);

    // Components.
    platform::TImage *m1, *m2, *m3, *m4, *m5;
    platform::TImage *m11, *m22, *m33, *m44, *m55;
    QLabel* Label1;
    platform::TMediaPlayer* MediaPlayer1;
    platform::TMediaPlayer* MediaPlayer2;
    platform::TTrackBar* TrackBar1;
    platform::TCppWebBrowser* CppWebBrowser1;
    QTimer* Timer1;
    QTimer* Timer2;
    platform::SaveDialogOptions SaveDialog1{"wav", "WAV FILE|*.wav"};

    // The help page of the lesson selected in the main window.
    std::function<QString()> LessonHelpPage;
    // The course folder and the run's temporary recording file, given by the
    // launcher to a recording lesson.
    QString AppFolder;
    QString TempWavName;

    // Handlers.
    void CppWebBrowser1DocumentComplete();
    void Timer1Timer();
    void Timer2Timer();
    void TrackBar1Change();
    void m11Click();
    void m22Click();
    void m33Click();
    void m44Click();
    void m55Click();
    void FormClose() override;

    // Hover: the button under the mouse lights, the others go out; the
    // bottom bar's background puts all out.
    void m11MouseMove();
    void m22MouseMove();
    void m33MouseMove();
    void m44MouseMove();
    void m55MouseMove();
    void Image4MouseMove();

    // State, written by the lesson launcher before the window is shown.
    platform::Variant PageDocument;
    platform::StringList MarksList;
    platform::StringList UserMarksList;
    int CurrentMark = 1;
    int PreviousMark = 1;
    int PlayClock = 0;
    int RecordingClock = 0;
    int PagePrepared = 0;
    int Paused = 0;
    int RecordingMode = 0;
    int PlayAlong = 0;
    int RecordingFinished = 0;
    int TimedRecording = 0;
    double TimeLeft = 0;

    // The tick's interval, and the lead by which a passage is passed before
    // its mark: twice the interval.
    static constexpr int TickInterval = 250;
    static constexpr int RecordingTickInterval = 100;

  private:
    void tick();
    void finishText();
    // Passage 1 highlighted again, the clock and the track bar at the start.
    void resetHighlight();

    // The recording lessons' branches of the handlers.
    void record();
    void pauseRecording();
    void stopRecording();
    void closeRecording();
    // The blank recording copied over the temporary file, which the first
    // player then holds.
    void openBlankRecording();
    // Timed recording: the learner may keep a copy under a name of their own.
    void offerRecording();

    platform::Variant passage(int k) const;
};

}  // namespace lectern::exercises
