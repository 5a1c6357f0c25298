#include "app/WindowSet.h"

#include "app/Intro/TIntroFrm.h"
#include "exercises/Multi/TMultiFrm.h"
#include "exercises/Sortfrm/TfrmSort.h"
#include "exercises/View/TViewFrm.h"
#include "exercises/Viewtxt/TViewTxtFrm.h"
#include "exercises/Worktxt/TWorkTxtFrm.h"
#include "main/TMainFrm.h"

namespace lectern::app {

WindowSet::WindowSet(platform::Platform& platform) {
    MainFrm = new main::TMainFrm(platform, *this);
    ViewFrm = new exercises::TViewFrm(platform);
    ViewTxtFrm = new exercises::TViewTxtFrm(platform, MainFrm);
    WorkTxtFrm = new exercises::TWorkTxtFrm(platform, MainFrm);
    IntroFrm = new TIntroFrm(platform);
    MultiFrm = new exercises::TMultiFrm(platform, MainFrm);
    frmSort = new exercises::TfrmSort(platform);
    ViewTxtFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    WorkTxtFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    MultiFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
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

}  // namespace lectern::app
