#include "app/skin/WindowSkins.h"

#include "app/Intro/TIntroFrm.h"
#include "app/WindowSet.h"
#include "app/skin/SkinLoader.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/WindowSettingsLine.h"
#include "platform/Convert.h"
#include "platform/StringList.h"
#include "platform/jpeg/TJPEGImage.h"

namespace lectern::app {
void LoadSkins(WindowSet& windows, const platform::StringList& layout,
               const platform::CourseFiles& files, platform::PictureBudget& pictures) {
    LoadSkinPictures(windows, layout, files, pictures);
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
    PlaceButtonImages(windows, layout);
}

}  // namespace lectern::app
