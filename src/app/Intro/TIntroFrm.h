#pragma once

#include "platform/widgets/TForm.h"
#include "platform/widgets/TImage.h"

#include <QTimer>

namespace lectern::platform {
class TMediaPlayer;
}

namespace lectern::app {

// The intro splash: the course's picture with the intro sound, closing by
// itself after ten ticks of a one-second timer or at once on a click.
class TIntroFrm : public platform::TForm {
    Q_OBJECT
  public:
    explicit TIntroFrm(platform::Platform& platform);

    platform::TImage* Image1;
    platform::TMediaPlayer* MediaPlayer1;
    QTimer* Timer1;
    int TickCount = 0;
};

}  // namespace lectern::app
