#include "app/Intro/TIntroFrm.h"

#include "platform/media/TMediaPlayer.h"

namespace lectern::app {

TIntroFrm::TIntroFrm(platform::Platform& platform)
    : TForm(platform, Frame::None, Position::ScreenCenter) {
    Image1 = new platform::TImage(this);
    MediaPlayer1 = new platform::TMediaPlayer(platform.audio, this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
}

}  // namespace lectern::app
