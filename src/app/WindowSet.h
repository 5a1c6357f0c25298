#pragma once

#include "platform/Platform.h"

namespace lectern::main {
class TMainFrm;
}
namespace lectern::exercises {
class TViewFrm;
class TViewTxtFrm;
class TWorkTxtFrm;
class TMultiFrm;
class TfrmSort;
}  // namespace lectern::exercises

namespace lectern::app {

class TIntroFrm;

// The program's seven windows, created once, hidden, in this order, and kept
// for the whole run; destroyed in the reverse order. The first is the main
// window: closing it ends the program.
class WindowSet {
  public:
    explicit WindowSet(platform::Platform& platform);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    main::TMainFrm* MainFrm = nullptr;
    exercises::TViewFrm* ViewFrm = nullptr;
    exercises::TViewTxtFrm* ViewTxtFrm = nullptr;
    exercises::TWorkTxtFrm* WorkTxtFrm = nullptr;
    TIntroFrm* IntroFrm = nullptr;
    exercises::TMultiFrm* MultiFrm = nullptr;
    exercises::TfrmSort* frmSort = nullptr;
};

}  // namespace lectern::app
