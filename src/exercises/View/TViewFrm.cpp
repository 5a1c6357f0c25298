#include "exercises/View/TViewFrm.h"

#include "platform/browser/TCppWebBrowser.h"

#include <QVBoxLayout>

namespace lectern::exercises {

TViewFrm::TViewFrm(platform::Platform& platform)
    : SkinnedForm(platform, Frame::FixedDialog, Position::ScreenCenter, nullptr,
                  {813, 609, 81, 89, 49, 45}) {
    setObjectName("ViewFrm");
    addButtons(Panel2, {{m1, m11, "Main menu"}});
    m1->SetBounds(105, 105, 0, 354);
    m11->SetBounds(105, 105, 0, 354);
    auto* column = new QVBoxLayout(Content());
    column->setContentsMargins(0, 0, 0, 0);
    Browser = new platform::TCppWebBrowser(platform.browsers, Content());
    column->addWidget(Browser);
    bind(m11, &platform::TImage::clicked, [this] { m11Click(); });
    bind(m11, &platform::TImage::mouseMoved, [this] { m11MouseMove(); });
    bind(Image4, &platform::TImage::mouseMoved, [this] { Image4MouseMove(); });
}

void TViewFrm::m11Click() {
    m1->hide();
    Close();
}

void TViewFrm::m11MouseMove() {
    LightHolder(m1, {});
}
void TViewFrm::Image4MouseMove() {
    LightHolder(nullptr, {m1});
}

}  // namespace lectern::exercises
