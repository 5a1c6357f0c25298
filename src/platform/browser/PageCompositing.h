#pragma once

#include <QByteArrayView>

namespace lectern::platform {

// How the web views draw their pages: on the graphics card when there is
// one, else in software. Without a card, OpenGL is a software rasteriser
// that redraws the whole window for every frame a page makes (a highlight's
// fade alone makes a dozen); the engine's own software compositor redraws
// only what changed, at a fraction of the cost. Must run after the
// application object exists and before the first view; a choice the user
// made with QT_QUICK_BACKEND stands.
void choosePageCompositing();

// Whether an OpenGL renderer string names a rasteriser that runs on the
// processor.
bool isSoftwareRenderer(QByteArrayView renderer);

}  // namespace lectern::platform
