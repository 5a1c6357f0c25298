#pragma once

#include "platform/Dialogs.h"
#include "platform/StringList.h"
#include "platform/widgets/SkinnedForm.h"

#include <QLabel>
#include <QSlider>
#include <QTimer>

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
    QSlider* TrackBar1;
    platform::TCppWebBrowser* CppWebBrowser1;
    QTimer* Timer1;
    QTimer* Timer2;
    platform::SaveDialogOptions SaveDialog1{"wav", "WAV FILE|*.wav"};

    // Hover: the button under the mouse lights, the others go out; the
    // bottom bar's background puts all out.
    void m11MouseMove();
    void m22MouseMove();
    void m33MouseMove();
    void m44MouseMove();
    void m55MouseMove();
    void Image4MouseMove();

    // State, written by the lesson launcher before the window is shown.
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
};

}  // namespace lectern::exercises
