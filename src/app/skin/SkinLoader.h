#pragma once

namespace lectern::platform {
class CourseFiles;
class PictureBudget;
class StringList;
}  // namespace lectern::platform

namespace lectern::app {

class WindowSet;

// Dresses the windows in the course's pictures, in a fixed order: the bars
// (page viewer; reading, test, sorting and unit work windows; main window),
// then the left and the right edges, then the button pictures. Pictures are
// JPEG files below "gdata\" of the current folder; sizes are lines of the
// geometry file. The first picture or line that fails raises its error and
// ends the skinning there: windows dressed before keep their pictures, the
// rest keep their design-time look. Every picture is charged to `pictures`.
void LoadSkinPictures(const WindowSet& windows, const platform::StringList& layout,
                      const platform::CourseFiles& files, platform::PictureBudget& pictures);

// Puts every button's images (holder, then clickable) at the width, height,
// top and left its four geometry lines give: the main window, the page viewer,
// then the reading, test, sorting and unit work windows, the unit button last.
void PlaceButtonImages(const WindowSet& windows, const platform::StringList& layout);

}  // namespace lectern::app
