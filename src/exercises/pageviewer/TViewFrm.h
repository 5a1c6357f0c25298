#pragma once

#include "platform/widgets/SkinnedForm.h"

namespace lectern::platform {
class TCppWebBrowser;
}

namespace lectern::exercises {

// The page viewer: one page framed by the skin, and "Main menu" to close it.
// Its callers navigate it and set its caption before they show it.
class TViewFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    explicit TViewFrm(platform::Platform& platform);

    platform::TCppWebBrowser* Browser;

    void m11Click();
};

}  // namespace lectern::exercises
