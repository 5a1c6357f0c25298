// The skin steps of start-up: pictures on every window, the intro splash,
// and the buttons in their places.
#include "main/TMainFrm.h"

#include "app/skin/WindowSkins.h"

namespace lectern::main {

void TMainFrm::SkinWindows(const platform::StringList& layout) {
    app::LoadSkins(Windows(), layout, platform().files);
}

void TMainFrm::PrepareSplash() {
    app::ShowIntro(Windows(), AppFolder, WindowSettings, platform().files);
}

void TMainFrm::PlaceButtons(const platform::StringList& layout) {
    app::PlaceButtons(Windows(), layout);
}

}  // namespace lectern::main
