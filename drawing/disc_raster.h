#pragma once

#include "circle_packing.h"

#include <QColor>
#include <QImage>

namespace lout {

// Paints one wire cross-section into `image` (Format_ARGB32_Premultiplied):
// a disc filled and outlined in `colour`, the one-pixel outline centred on
// the circumference, its edge anti-aliased over one pixel (a pixel is
// covered by how far its centre lies inside the edge). The circle is in
// twips, scaled by `pixelsPerTwip`; its radius counts by magnitude. Pixels
// beyond the image are skipped; a circle whose centre or radius is not
// finite paints nothing. Touches only pixels whose centres lie within
// radius + 1 device pixel of the circle's centre.
void paintDisc(QImage& image, const Circle& circle, const QColor& colour, double pixelsPerTwip);

} // namespace lout
