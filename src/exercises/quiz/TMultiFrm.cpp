#include "exercises/quiz/TMultiFrm.h"

#include "exercises/CheckingButtons.h"
#include "exercises/CountdownLabel.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/widgets/WindowKeys.h"

#include <QVBoxLayout>

namespace lectern::exercises {

TMultiFrm::TMultiFrm(platform::Platform& platform, QWidget* mainForm)
    : SkinnedForm(platform, Frame::FixedDialog, Position::MainFormCenter, mainForm,
                  {965, 519, 81, 84, 49, 46}) {
    setObjectName("MultiFrm");
    addCheckingButtons(*this, QString(),
                       {[this] { m11Click(); }, [this] { m33Click(); }, [this] { m44Click(); },
                        [this] { m55Click(); }});
    // It shows no hint, but a screen reader says what it does.
    m11()->setAccessibleName(QStringLiteral("Start the countdown"));
    Label1 = makeCountdownLabel(Panel1);
    auto* column = new QVBoxLayout(Content());
    column->setContentsMargins(0, 0, 0, 0);
    CppWebBrowser1 = new platform::TCppWebBrowser(platform.browsers, Content());
    column->addWidget(CppWebBrowser1);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);

    bindTimer(Timer1, [this] { Timer1Timer(); });

    platform::WindowKeys keys(*this);
    keys.press(QKeySequence(Qt::CTRL | Qt::Key_Return), m33());
    keys.press(Qt::Key_F1, m44());
    keys.press(Qt::Key_Escape, m55());
}

}  // namespace lectern::exercises
