#pragma once

#include "platform/widgets/TForm.h"
#include "platform/widgets/TImage.h"

#include <QTimer>

namespace lectern::platform {
class TMediaPlayer;
}

namespace lectern::app {

// The intro splash: the course's picture, borderless in the screen's centre,
// with the intro sound, closing by itself on the tenth tick of a one-second
// timer that runs from creation, or at once on a click on the picture.
//
// The close sequence stops the timer, stops the sound if one is open, and
// closes the splash if it is showing. So a splash whose sound failed to open
// still closes on time, and one that was never shown ends its timer quietly.
class TIntroFrm : public platform::TForm {
    Q_OBJECT
  public:
    explicit TIntroFrm(platform::Platform& platform);

    platform::TImage* Image1;
    platform::TMediaPlayer* MediaPlayer1;
    QTimer* Timer1;
    int TickCount = 0;

    // The folder the intro sound lies under ("\data\intro.wav"); the main
    // window hands over its AppFolder before showing the splash.
    QString AppFolder;
    void SetAppFolder(const QString& appFolder) { AppFolder = appFolder; }

    void FormShow() override;
    void Timer1Timer();
    void Image1Click();

  private:
    void closeSplash();
};

}  // namespace lectern::app
