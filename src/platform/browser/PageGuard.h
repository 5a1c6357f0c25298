#pragma once

#include <QString>

namespace lectern::platform::PageGuard {

// Installed at document creation in every frame's page world: takes WebRTC
// away from page scripts and refuses their copy and cut (execCommand, the
// asynchronous clipboard, and copy handlers that would swap what the learner
// copies), in the frame and in every frame made from it, including a fresh
// frame a script reaches before any script of the player's runs in it. The
// learner's own copy (keys, context menu) is the engine's and still works.
QString script();

}  // namespace lectern::platform::PageGuard
