#include "exercises/units/TWorkTxtFrm.h"

#include "catalogue/Marks.h"
#include "exercises/LessonWords.h"
#include "exercises/NarrationButtons.h"
#include "exercises/practice/PracticeKeys.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/TTrackBar.h"
#include "platform/widgets/WindowKeys.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace lectern::exercises {

TWorkTxtFrm::TWorkTxtFrm(platform::Platform& platform, QWidget* mainForm)
    : SkinnedForm(platform, Frame::FixedDialog, Position::MainFormCenter, mainForm,
                  {1028, 641, 81, 84, 49, 46}) {
    setObjectName("WorkTxtFrm");
    addButtons(
        {{"Run"}, {"Pause"}, {"Stop"}, {"Help"}, {"Exit"}, {"Begin unit", /*resting=*/true}});
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
    Buttons().onClicks({[this] { m11Click(); }, [this] { m22Click(); }, [this] { m33Click(); },
                        [this] { m44Click(); }, [this] { m55Click(); }, [this] { caaClick(); }});
    Buttons().lightOnHover(Image4);
    // A hover over "Exit" leaves the unit button's light as it is.
    Buttons().keepLightFrom(4, UnitButtonIndex);

    const NarrationButtons sound{MediaPlayer1, Timer1, &Paused, [this] { m11Click(); },
                                 [this] { m22Click(); }};
    platform::WindowKeys keys(*this);
    sound.bindKeys(keys, *this, TrackBar1);
    Practice = std::make_unique<PracticeKeys>(
        *this, keys, std::vector<platform::TMediaPlayer*>{MediaPlayer1},
        std::vector<platform::TCppWebBrowser*>{CppWebBrowser1, CppWebBrowser2}, Panel1,
        PracticeKeys::Lesson{MarksList,
                             CurrentMark,
                             {},
                             // A cycle starts at the passage before its unit, which is
                             // only passed.
                             [this] {
                                 return catalogue::MarkOf(
                                     MarksList,
                                     CycleMode ? std::max(CurrentMark, UnitStart) : CurrentMark);
                             },
                             [sound] { sound.pauseWhilePlaying(); },
                             [sound] { sound.goOn(); },
                             [this](int k) { ShowBoth(k); }});
    keys.bind(QKeySequence(Qt::Key_R), [this] { repeatPassage(); });
    makeLookup(keys, sound);
}

TWorkTxtFrm::~TWorkTxtFrm() = default;

}  // namespace lectern::exercises
