#include "exercises/pageviewer/TViewFrm.h"

#include "platform/browser/TCppWebBrowser.h"

#include <QVBoxLayout>

namespace lectern::exercises {

TViewFrm::TViewFrm(platform::Platform& platform)
    : SkinnedForm(platform, Frame::FixedDialog, Position::ScreenCenter, nullptr,
                  {813, 609, 81, 89, 49, 45}) {
    setObjectName("ViewFrm");
    Buttons().create(Panel2, {{"Main menu"}});
    Buttons().place(0, 105, 105, 0, 354);
    auto* column = new QVBoxLayout(Content());
    column->setContentsMargins(0, 0, 0, 0);
    Browser = new platform::TCppWebBrowser(platform.browsers, Content());
    column->addWidget(Browser);
    Buttons().onClicks({[this] { m11Click(); }});
    Buttons().lightOnHover(Image4);
}

void TViewFrm::m11Click() {
    m1()->hide();
    Close();
}

}  // namespace lectern::exercises
