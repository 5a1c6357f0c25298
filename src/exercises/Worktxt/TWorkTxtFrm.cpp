#include "exercises/Worktxt/TWorkTxtFrm.h"

#include "exercises/NarrationSpeed.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/TTrackBar.h"
#include "platform/widgets/WindowKeys.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace lectern::exercises {

TWorkTxtFrm::TWorkTxtFrm(platform::Platform& platform, QWidget* mainForm)
    : SkinnedForm(platform, Frame::FixedDialog, Position::MainFormCenter, mainForm,
                  {1028, 641, 81, 84, 49, 46}) {
    setObjectName("WorkTxtFrm");
    // The unit button's resting picture lies below its holder and clickable.
    c = new platform::TImage(Panel2);
    addButtons(Panel2, {{m1, m11, "Run"},
                        {m2, m22, "Pause"},
                        {m3, m33, "Stop"},
                        {m4, m44, "Help"},
                        {m5, m55, "Exit"},
                        {ca, caa, "Begin unit"}});
    c->setGeometry(caa->geometry());
    MediaPlayer1 = new platform::TMediaPlayer(platform.audio, this);

    auto* outer = new QVBoxLayout(Content());
    outer->setContentsMargins(0, 0, 0, 0);
    Panel3 = new QWidget(Content());
    outer->addWidget(Panel3);
    auto* column = new QVBoxLayout(Panel3);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* pages = new QHBoxLayout;
    pages->setSpacing(0);
    CppWebBrowser1 = new platform::TCppWebBrowser(platform.browsers, Panel3);
    CppWebBrowser1->setFixedWidth(460);
    Splitter1 = new QSplitter(Panel3);
    Splitter1->setFixedWidth(1);
    Splitter1->setStyleSheet("background: black");
    CppWebBrowser2 = new platform::TCppWebBrowser(platform.browsers, Panel3);
    pages->addWidget(CppWebBrowser1);
    pages->addWidget(Splitter1);
    pages->addWidget(CppWebBrowser2, 1);
    column->addLayout(pages, 1);
    TrackBar1 = new platform::TTrackBar(Panel3);
    column->addWidget(TrackBar1);

    Timer1 = new QTimer(this);
    Timer1->setInterval(TickInterval);

    bind(CppWebBrowser1, &platform::TCppWebBrowser::OnDocumentComplete,
         [this] { CppWebBrowser1DocumentComplete(); });
    bind(CppWebBrowser2, &platform::TCppWebBrowser::OnDocumentComplete,
         [this] { CppWebBrowser2DocumentComplete(); });
    bindTimer(Timer1, [this] { Timer1Timer(); });
    bind(TrackBar1, &QSlider::valueChanged, [this] { TrackBar1Change(); });
    bind(m11, &platform::TImage::clicked, [this] { m11Click(); });
    bind(m22, &platform::TImage::clicked, [this] { m22Click(); });
    bind(m33, &platform::TImage::clicked, [this] { m33Click(); });
    bind(m44, &platform::TImage::clicked, [this] { m44Click(); });
    bind(m55, &platform::TImage::clicked, [this] { m55Click(); });
    bind(caa, &platform::TImage::clicked, [this] { caaClick(); });
    bind(m11, &platform::TImage::mouseMoved, [this] { m11MouseMove(); });
    bind(m22, &platform::TImage::mouseMoved, [this] { m22MouseMove(); });
    bind(m33, &platform::TImage::mouseMoved, [this] { m33MouseMove(); });
    bind(m44, &platform::TImage::mouseMoved, [this] { m44MouseMove(); });
    bind(m55, &platform::TImage::mouseMoved, [this] { m55MouseMove(); });
    bind(caa, &platform::TImage::mouseMoved, [this] { caaMouseMove(); });
    bind(Image4, &platform::TImage::mouseMoved, [this] { Image4MouseMove(); });

    platform::WindowKeys keys(*this);
    keys.play(Qt::Key_Space, m11, m22, [this] { return !Timer1->isActive() && !Paused; });
    keys.press(Qt::Key_F1, m44);
    keys.press(Qt::Key_Escape, m55);
    keys.step(TrackBar1);
    Speed = std::make_unique<NarrationSpeed>(*this, keys,
                                             std::vector<platform::TMediaPlayer*>{MediaPlayer1});
}

TWorkTxtFrm::~TWorkTxtFrm() = default;

void TWorkTxtFrm::m11MouseMove() {
    LightHolder(m1, {m2, m3, m4, m5, ca});
}
void TWorkTxtFrm::m22MouseMove() {
    LightHolder(m2, {m1, m3, m4, m5, ca});
}
void TWorkTxtFrm::m33MouseMove() {
    LightHolder(m3, {m1, m2, m4, m5, ca});
}
void TWorkTxtFrm::m44MouseMove() {
    LightHolder(m4, {m1, m2, m3, m5, ca});
}
void TWorkTxtFrm::m55MouseMove() {
    LightHolder(m5, {m1, m2, m3, m4});
}
void TWorkTxtFrm::caaMouseMove() {
    LightHolder(ca, {m1, m2, m3, m4, m5});
}
void TWorkTxtFrm::Image4MouseMove() {
    LightHolder(nullptr, {m1, m2, m3, m4, m5, ca});
}

}  // namespace lectern::exercises
