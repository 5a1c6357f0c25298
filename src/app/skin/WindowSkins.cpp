#include "app/skin/WindowSkins.h"

#include "app/Intro/TIntroFrm.h"
#include "app/WindowSet.h"
#include "app/skin/SkinLoader.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/WindowSettingsLine.h"
#include "exercises/Multi/TMultiFrm.h"
#include "exercises/Sortfrm/TfrmSort.h"
#include "exercises/View/TViewFrm.h"
#include "exercises/Viewtxt/TViewTxtFrm.h"
#include "exercises/Worktxt/TWorkTxtFrm.h"
#include "main/TMainFrm.h"
#include "platform/Convert.h"
#include "platform/StringList.h"
#include "platform/jpeg/TJPEGImage.h"

namespace lectern::app {
namespace {

// The five buttons every window but the page viewer has.
template <typename Window>
SkinnedWindow fiveButtons(Window* window) {
    SkinnedWindow skinned;
    skinned.form = window;
    skinned.holders = {window->m1, window->m2, window->m3, window->m4, window->m5};
    skinned.clickables = {window->m11, window->m22, window->m33, window->m44, window->m55};
    return skinned;
}

}  // namespace

SkinTargets SkinTargetsOf(WindowSet& w) {
    SkinTargets targets;
    targets.main = fiveButtons(w.MainFrm);
    targets.view.form = w.ViewFrm;
    targets.view.holders[0] = w.ViewFrm->m1;
    targets.view.clickables[0] = w.ViewFrm->m11;
    targets.viewTxt = fiveButtons(w.ViewTxtFrm);
    targets.workTxt = fiveButtons(w.WorkTxtFrm);
    targets.workTxt.c = w.WorkTxtFrm->c;
    targets.workTxt.ca = w.WorkTxtFrm->ca;
    targets.workTxt.caa = w.WorkTxtFrm->caa;
    targets.multi = fiveButtons(w.MultiFrm);
    targets.sort = fiveButtons(w.frmSort);
    return targets;
}

void LoadSkins(WindowSet& windows, const platform::StringList& layout,
               const platform::CourseFiles& files, platform::PictureBudget& pictures) {
    LoadSkinPictures(SkinTargetsOf(windows), layout, files, pictures);
}

void ShowIntro(WindowSet& windows, const QString& appFolder,
               const platform::StringList& windowSettings, const platform::CourseFiles& files,
               platform::PictureBudget& pictures) {
    TIntroFrm* splash = windows.IntroFrm;
    platform::TJPEGImage picture;
    picture.LoadFromFile(
        files,
        appFolder + catalogue::CoursePaths::Descriptions + windowSettings[catalogue::SplashPicture],
        &pictures);
    splash->Image1->SetPicture(picture.Image());
    splash->SetCaption(windowSettings[catalogue::CourseTitle]);
    splash->SetAppFolder(appFolder);
    if (platform::StrToBool(windowSettings[catalogue::ShowSplash]))
        splash->ShowModal();
}

void PlaceButtons(WindowSet& windows, const platform::StringList& layout) {
    PlaceButtonImages(SkinTargetsOf(windows), layout);
}

}  // namespace lectern::app
