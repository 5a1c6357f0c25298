#include "app/WindowSet.h"

#include "app/Intro/TIntroFrm.h"
#include "app/skin/WindowSkins.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/TMainFrm.h"

namespace lectern::app {

WindowSet::WindowSet(platform::Platform& platform) : platform_(platform) {
    MainFrm = new mainwindow::TMainFrm(platform, *this, *this);
    ViewFrm = new exercises::TViewFrm(platform);
    ViewTxtFrm = new exercises::TViewTxtFrm(platform, MainFrm);
    WorkTxtFrm = new exercises::TWorkTxtFrm(platform, MainFrm);
    IntroFrm = new TIntroFrm(platform);
    MultiFrm = new exercises::TMultiFrm(platform, MainFrm);
    frmSort = new exercises::TfrmSort(platform);
    // These two are not centred on the main window, but open over it too.
    ViewFrm->SetOwner(MainFrm);
    frmSort->SetOwner(MainFrm);
    ViewTxtFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    WorkTxtFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    MultiFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    frmSort->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
}

WindowSet::~WindowSet() {
    delete frmSort;
    delete MultiFrm;
    delete IntroFrm;
    delete WorkTxtFrm;
    delete ViewTxtFrm;
    delete ViewFrm;
    delete MainFrm;
}

void WindowSet::SizeSplash(int width, int height) {
    IntroFrm->SetWidth(width);
    IntroFrm->SetHeight(height);
}

void WindowSet::SkinWindows(const platform::StringList& layout) {
    LoadSkins(*this, layout, platform_.files, pictures_);
}

void WindowSet::PrepareSplash(const QString& appFolder,
                              const platform::StringList& windowSettings) {
    ShowIntro(*this, appFolder, windowSettings, platform_.files, pictures_);
}

void WindowSet::PlaceButtons(const platform::StringList& layout) {
    app::PlaceButtons(*this, layout);
}

}  // namespace lectern::app
