#pragma once

namespace lectern::catalogue {

// The lines of "wind.mtp".
enum WindowSettingsLine : int {
    CourseTitle = 0,
    SplashPicture = 1,
    ShowSplash = 2,
    IntroductionCaption = 3,
    IntroductionPage = 4,
    ShowIntroduction = 5,
    AboutCaption = 6,
    AboutPage = 7,
    ShowAbout = 8,
};

}  // namespace lectern::catalogue
