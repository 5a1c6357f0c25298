#include "exercises/reading/TViewTxtFrm.h"

#include "catalogue/Marks.h"
#include "exercises/LessonWords.h"
#include "exercises/NarrationButtons.h"
#include "exercises/markup/PageMarkup.h"
#include "exercises/practice/PracticeKeys.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/TTrackBar.h"
#include "platform/widgets/WindowKeys.h"

#include <QVBoxLayout>
#include <algorithm>

namespace lectern::exercises {

TViewTxtFrm::TViewTxtFrm(platform::Platform& platform, QWidget* mainForm)
    : SkinnedForm(platform, Frame::FixedDialog, Position::MainFormCenter, mainForm,
                  {959, 646, 81, 84, 49, 46}) {
    setObjectName("ViewTxtFrm");
    addButtons({{"Play"}, {"Pause"}, {"Stop"}, {"Help"}, {"Exit"}});
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
    Buttons().onClicks({[this] { m11Click(); }, [this] { m22Click(); }, [this] { m33Click(); },
                        [this] { m44Click(); }, [this] { m55Click(); }});
    Buttons().lightOnHover(Image4);

    const NarrationButtons sound{MediaPlayer1, Timer1, &Paused, [this] { m11Click(); },
                                 [this] { m22Click(); }};
    platform::WindowKeys keys(*this);
    sound.bindKeys(keys, *this, TrackBar1);
    keys.bind(Qt::Key_F2, [this] { TellPassage(); });
    Practice = std::make_unique<PracticeKeys>(
        *this, keys, std::vector<platform::TMediaPlayer*>{MediaPlayer1, MediaPlayer2},
        std::vector<platform::TCppWebBrowser*>{CppWebBrowser1}, Panel1,
        PracticeKeys::Lesson{MarksList, CurrentMark, [this] { return RecordingMode; },
                             [this] { return catalogue::MarkOf(MarksList, CurrentMark); },
                             [sound] { sound.pauseWhilePlaying(); }, [sound] { sound.goOn(); },
                             [this](int k) { ShowPassage(PageDocument, k); }});
    keys.bind(QKeySequence(Qt::Key_R), [this] { repeatPassage(); });
    makeLookup(keys, sound);
}

TViewTxtFrm::~TViewTxtFrm() = default;

}  // namespace lectern::exercises
