#include "app/Intro/TIntroFrm.h"

#include "catalogue/CatalogueFiles.h"
#include "platform/media/TMediaPlayer.h"

#include <QVBoxLayout>

namespace lectern::app {

namespace {
constexpr int closingTick = 10;
}

TIntroFrm::TIntroFrm(platform::Platform& platform)
    : TForm(platform, Frame::None, Position::ScreenCenter) {
    setObjectName("IntroFrm");
    KeepContentWhenHidden();
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    Image1 = new platform::TImage(this);
    Image1->SetStretch(true);
    fill->addWidget(Image1);
    MediaPlayer1 = new platform::TMediaPlayer(platform.audio, this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    bind(Image1, &platform::TImage::clicked, [this] { Image1Click(); });
    bindTimer(Timer1, [this] { Timer1Timer(); });
    Timer1->start();
}

void TIntroFrm::FormShow() {
    MediaPlayer1->SetFileName(AppFolder + catalogue::CoursePaths::IntroSound);
    MediaPlayer1->Open();
    MediaPlayer1->Play();
}

void TIntroFrm::Timer1Timer() {
    ++TickCount;
    if (TickCount < closingTick)
        return;
    closeSplash();
}

void TIntroFrm::Image1Click() {
    closeSplash();
}

void TIntroFrm::closeSplash() {
    Timer1->stop();
    if (MediaPlayer1->IsOpen())
        MediaPlayer1->Stop();
    if (isVisible())
        Close();
}

}  // namespace lectern::app
