#pragma once

#include "platform/widgets/SkinnedForm.h"
#include "platform/widgets/TImage.h"

#include <array>

namespace lectern::app {

// One skinned window as the skin sees it: its bars and edges, and its picture
// buttons (holder below, clickable image above). The unit button's three
// images exist in the unit work window only.
struct SkinnedWindow {
    platform::SkinnedForm* form = nullptr;
    std::array<platform::TImage*, 5> holders{};     // m1 .. m5
    std::array<platform::TImage*, 5> clickables{};  // m11 .. m55
    platform::TImage* c = nullptr;
    platform::TImage* ca = nullptr;
    platform::TImage* caa = nullptr;
};

// The six skinned windows. The page viewer has one button (holders[0]).
struct SkinTargets {
    SkinnedWindow main;
    SkinnedWindow view;
    SkinnedWindow viewTxt;
    SkinnedWindow workTxt;
    SkinnedWindow multi;
    SkinnedWindow sort;
};

}  // namespace lectern::app
