#include "exercises/Viewtxt/TViewTxtFrm.h"

#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/TTrackBar.h"
#include "platform/widgets/WindowKeys.h"

#include <QVBoxLayout>

namespace lectern::exercises {

TViewTxtFrm::TViewTxtFrm(platform::Platform& platform, QWidget* mainForm)
    : SkinnedForm(platform, Frame::FixedDialog, Position::MainFormCenter, mainForm,
                  {959, 646, 81, 84, 49, 46}) {
    setObjectName("ViewTxtFrm");
    addButtons(Panel2, {{m1, m11, "Play"},
                        {m2, m22, "Pause"},
                        {m3, m33, "Stop"},
                        {m4, m44, "Help"},
                        {m5, m55, "Exit"}});
    Label1 = new QLabel(Panel1);
    Label1->hide();
    MediaPlayer1 = new platform::TMediaPlayer(platform.audio, this);
    MediaPlayer2 = new platform::TMediaPlayer(platform.audio, this);

    auto* column = new QVBoxLayout(Content());
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    CppWebBrowser1 = new platform::TCppWebBrowser(platform.browsers, Content());
    TrackBar1 = new platform::TTrackBar(Content());
    column->addWidget(CppWebBrowser1, 1);
    column->addWidget(TrackBar1);

    Timer1 = new QTimer(this);
    Timer1->setInterval(TickInterval);
    Timer2 = new QTimer(this);
    Timer2->setInterval(RecordingTickInterval);

    bind(CppWebBrowser1, &platform::TCppWebBrowser::OnDocumentComplete,
         [this] { CppWebBrowser1DocumentComplete(); });
    // A tick's own errors show in the "Ошибка!" box; the players go on.
    bindTimer(
        Timer1, [this] { Timer1Timer(); },
        [this](const platform::Error& error) {
            this->platform().dialogs.showMessageBox(QString::fromUtf8("Ошибка!"), error.message());
        });
    bindTimer(Timer2, [this] { Timer2Timer(); });
    // The recording goes on (into silence) while the learner reads this.
    bind(MediaPlayer1, &platform::TMediaPlayer::MicrophoneMissing, [this] {
        this->platform().dialogs.showMessage(
            QStringLiteral("No microphone was found: the recording will hold silence."));
    });
    bind(TrackBar1, &QSlider::valueChanged, [this] { TrackBar1Change(); });
    bind(m11, &platform::TImage::clicked, [this] { m11Click(); });
    bind(m22, &platform::TImage::clicked, [this] { m22Click(); });
    bind(m33, &platform::TImage::clicked, [this] { m33Click(); });
    bind(m44, &platform::TImage::clicked, [this] { m44Click(); });
    bind(m55, &platform::TImage::clicked, [this] { m55Click(); });
    bind(m11, &platform::TImage::mouseMoved, [this] { m11MouseMove(); });
    bind(m22, &platform::TImage::mouseMoved, [this] { m22MouseMove(); });
    bind(m33, &platform::TImage::mouseMoved, [this] { m33MouseMove(); });
    bind(m44, &platform::TImage::mouseMoved, [this] { m44MouseMove(); });
    bind(m55, &platform::TImage::mouseMoved, [this] { m55MouseMove(); });
    bind(Image4, &platform::TImage::mouseMoved, [this] { Image4MouseMove(); });

    platform::WindowKeys keys(*this);
    keys.play(Qt::Key_Space, m11, m22, [this] { return !Timer1->isActive() && !Paused; });
    keys.press(Qt::Key_F1, m44);
    keys.press(Qt::Key_Escape, m55);
    keys.step(TrackBar1);
}

void TViewTxtFrm::m11MouseMove() {
    LightHolder(m1, {m2, m3, m4, m5});
}
void TViewTxtFrm::m22MouseMove() {
    LightHolder(m2, {m1, m3, m4, m5});
}
void TViewTxtFrm::m33MouseMove() {
    LightHolder(m3, {m1, m2, m4, m5});
}
void TViewTxtFrm::m44MouseMove() {
    LightHolder(m4, {m1, m2, m3, m5});
}
void TViewTxtFrm::m55MouseMove() {
    LightHolder(m5, {m1, m2, m3, m4});
}
void TViewTxtFrm::Image4MouseMove() {
    LightHolder(nullptr, {m1, m2, m3, m4, m5});
}

}  // namespace lectern::exercises
