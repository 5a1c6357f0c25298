// The skin steps of start-up: pictures on every window, the intro splash,
// and the buttons in their places.
#include "mainwindow/TMainFrm.h"

#include "mainwindow/SplashAndSkin.h"

namespace lectern::mainwindow {

void TMainFrm::SkinWindows(const platform::StringList& layout) {
    splashAndSkin_.SkinWindows(layout);
}

void TMainFrm::PrepareSplash() {
    splashAndSkin_.PrepareSplash(appFolder_, WindowSettings());
}

void TMainFrm::PlaceButtons(const platform::StringList& layout) {
    splashAndSkin_.PlaceButtons(layout);
}

}  // namespace lectern::mainwindow
