#pragma once

#include "platform/widgets/SkinnedForm.h"

#include <memory>

namespace lectern::platform {
class NoticeOverlay;
class TCppWebBrowser;
}  // namespace lectern::platform

namespace lectern::exercises {

class TextZoom;

// The page viewer: one page framed by the skin, and "Main menu" to close it.
// Its callers navigate it and set its caption before they show it.
class TViewFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    explicit TViewFrm(platform::Platform& platform);
    ~TViewFrm() override;

    platform::TCppWebBrowser* Browser;
    platform::NoticeOverlay* Notices;
    // The page's size, the course's one for all its pages.
    std::unique_ptr<TextZoom> Zoom;

    void m11Click();

  protected:
    // Takes the course's page size.
    void FormShow() override;
};

}  // namespace lectern::exercises
