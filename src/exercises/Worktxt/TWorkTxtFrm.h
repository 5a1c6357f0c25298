#pragma once

#include "platform/StringList.h"
#include "platform/widgets/SkinnedForm.h"

#include <QSlider>
#include <QSplitter>
#include <QTimer>

namespace lectern::platform {
class TCppWebBrowser;
class TMediaPlayer;
}  // namespace lectern::platform

namespace lectern::exercises {

// The unit work window: a lesson page and its translation side by side,
// highlighted together while a sound plays, with units played in a cycle.
class TWorkTxtFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    TWorkTxtFrm(platform::Platform& platform, QWidget* mainForm);

    // Components.
    platform::TImage *m1, *m2, *m3, *m4, *m5, *ca;
    platform::TImage *m11, *m22, *m33, *m44, *m55, *caa;
    platform::TImage* c;
    platform::TMediaPlayer* MediaPlayer1;
    QWidget* Panel3;
    platform::TCppWebBrowser* CppWebBrowser1;
    QSplitter* Splitter1;
    platform::TCppWebBrowser* CppWebBrowser2;
    QSlider* TrackBar1;
    QTimer* Timer1;

    // Hover: the button under the mouse lights, the others go out (from
    // "Exit" the unit button's light stays); the bottom bar's background puts
    // all out.
    void m11MouseMove();
    void m22MouseMove();
    void m33MouseMove();
    void m44MouseMove();
    void m55MouseMove();
    void caaMouseMove();
    void Image4MouseMove();

    // State, written by the lesson launcher before the window is shown.
    platform::StringList MarksList;
    int CurrentMark = 1;
    int PreviousMark = 1;
    int PlayClock = 0;
    int LeftPagePrepared = 0;
    int RightPagePrepared = 0;
    int Paused = 0;
    int CycleMode = 0;
    int UnitStep = 0;
    int UnitStart = 0;
    int UnitEnd = 0;
};

}  // namespace lectern::exercises
