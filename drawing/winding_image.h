#pragma once

#include "circle_packing.h"

#include <QColor>
#include <QImage>

namespace lout {

// Clears `image` to `background` and draws the winding's wire cross-sections
// into it as anti-aliased filled circles of `colour`. The image covers the
// picture's drawing area at `pixelsPerTwip` device pixels per twip (1/15 at
// 96 dpi, times the device pixel ratio). Circles that cannot touch the image
// are skipped.
void drawWinding(QImage& image, const QColor& background, const Winding& w, const QColor& colour,
                 double pixelsPerTwip);

} // namespace lout
