#include "exercises/pageviewer/TViewFrm.h"

#include "exercises/practice/TextZoom.h"
#include "platform/Platform.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/files/CourseFiles.h"
#include "platform/widgets/NoticeOverlay.h"
#include "platform/widgets/WindowKeys.h"

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
    platform::WindowKeys keys(*this);
    Notices = new platform::NoticeOverlay(*this, QStringLiteral("ViewOverlay"));
    Notices->placeOver(Panel1);
    Zoom =
        std::make_unique<TextZoom>(keys, *Notices, std::vector<platform::TCppWebBrowser*>{Browser});
    Zoom->load(platform.files.courseFolder());
}

TViewFrm::~TViewFrm() = default;

void TViewFrm::FormShow() {
    Zoom->load(platform().files.courseFolder());
}

void TViewFrm::m11Click() {
    m1()->hide();
    Close();
}

}  // namespace lectern::exercises
