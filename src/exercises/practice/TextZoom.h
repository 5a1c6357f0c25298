#pragma once

#include "exercises/practice/CourseSetting.h"

#include <vector>

namespace lectern::platform {
class NoticeOverlay;
class TCppWebBrowser;
class WindowKeys;
}  // namespace lectern::platform

namespace lectern::exercises {

// The size of a window's pages: `Ctrl+Plus` (or `Ctrl+=`) and `Ctrl+Minus`
// step it by 10 % between 50 % and 300 %, `Ctrl+0` brings it back to 100 %.
// The browsers scale their pages whole, so a page highlights and scrolls to
// its passage as at its own size; the skin and the window keep theirs.
// One size for all the pages of a course, lesson and description pages
// alike: a change applies at once to every window of the course and is
// remembered for it. Each change shows in the window's notice overlay.
class TextZoom {
  public:
    static constexpr int Smallest = 50;
    static constexpr int Largest = 300;
    static constexpr int Step = 10;

    TextZoom(platform::WindowKeys& keys, platform::NoticeOverlay& overlay,
             std::vector<platform::TCppWebBrowser*> browsers);
    ~TextZoom();
    TextZoom(const TextZoom&) = delete;
    TextZoom& operator=(const TextZoom&) = delete;

    void load(const QString& courseFolder);
    int percent() const { return percent_; }
    // Kept within the range; applied, remembered and shown.
    void set(int percent);

  private:
    void apply();
    // Every size of the running program, so that its windows follow a change.
    static std::vector<TextZoom*>& all();

    platform::NoticeOverlay& overlay_;
    std::vector<platform::TCppWebBrowser*> browsers_;
    CourseSetting setting_{QStringLiteral("textZoom")};
    int percent_ = 100;
};

}  // namespace lectern::exercises
