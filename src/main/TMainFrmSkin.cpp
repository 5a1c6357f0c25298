// The skin steps of start-up: pictures on every window, the intro splash,
// and the buttons in their places.
#include "main/TMainFrm.h"

#include "app/Intro/TIntroFrm.h"
#include "app/WindowSet.h"
#include "catalogue/WindowSettingsLine.h"
#include "platform/Convert.h"

namespace lectern::main {

void TMainFrm::SkinWindows(const platform::StringList&) {}

void TMainFrm::PrepareSplash() {
    app::TIntroFrm* splash = Windows().IntroFrm;
    splash->SetCaption(WindowSettings[catalogue::CourseTitle]);
    if (platform::StrToBool(WindowSettings[catalogue::ShowSplash]))
        splash->ShowModal();
}

void TMainFrm::PlaceButtons(const platform::StringList&) {}

}  // namespace lectern::main
