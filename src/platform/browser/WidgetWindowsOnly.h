#pragma once

namespace lectern::platform {

// Screen readers find the player's windows, and only those, as the
// application's children. Each web view draws its page in a hidden Qt Quick
// window of its own, which Qt would otherwise list beside the player's
// windows as an empty frame called "Offscreen"; the page itself reaches
// readers through the view. Idempotent; before or after the views exist.
void exposeOnlyWidgetWindows();

}  // namespace lectern::platform
