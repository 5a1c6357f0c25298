#pragma once

class QWidget;

namespace lectern::platform {

// Keeps `view` over the whole of `host` (its parent), and at a fractional
// screen scale a little past the host's right edge: there the engine's
// picture of a page falls short of the view's edge by up to two device
// pixels, which stay unpainted as a dark seam beside the next picture, and
// the host cuts the view at its own edge. Done now, on every resize of the
// host, and whenever the host's window moves to a screen of another scale,
// which changes the ratio without resizing anything. Lasts as long as `view`.
void keepViewCoveringHost(QWidget& host, QWidget& view);

// The logical pixels the view reaches past its host at this device pixel
// ratio: none at a whole ratio.
int viewOverhang(double devicePixelRatio);

}  // namespace lectern::platform
