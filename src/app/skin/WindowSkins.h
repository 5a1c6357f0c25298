#pragma once

#include <QString>

namespace lectern::platform {
class CourseFiles;
class PictureBudget;
class StringList;
}  // namespace lectern::platform

namespace lectern::app {

class WindowSet;

// The skin's start-up steps over the program's windows, in the order the
// main window's FormShow runs them.

// Bars, edges and button pictures from "gdata\" of the current folder.
void LoadSkins(WindowSet& windows, const platform::StringList& layout,
               const platform::CourseFiles& files, platform::PictureBudget& pictures);

// The intro splash: its picture (AppFolder + "\data\descr\" + settings line
// 1), its caption (line 0), and, when line 2 switches it on, shown modally.
void ShowIntro(WindowSet& windows, const QString& appFolder,
               const platform::StringList& windowSettings, const platform::CourseFiles& files,
               platform::PictureBudget& pictures);

// Every button of every window where the geometry puts it.
void PlaceButtons(WindowSet& windows, const platform::StringList& layout);

}  // namespace lectern::app
