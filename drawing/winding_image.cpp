#include "drawing/winding_image.h"

#include "drawing/disc_raster.h"

#include <cmath>

namespace lout {

namespace {

// How far around a circle its painted pixels can reach, in device pixels
// (the half-pixel outline and the cut edge pixels), with room to spare.
constexpr double paintedReachPixels = 2.0;

} // namespace

void drawWinding(QImage& image, const QColor& background, const Winding& w, const QColor& colour,
                 double pixelsPerTwip)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.fill(background);

    // With no usable scale nothing can be placed on the image.
    const bool scaled = std::isfinite(pixelsPerTwip) && pixelsPerTwip > 0.0;
    if (!scaled)
        return;
    const double margin = paintedReachPixels / pixelsPerTwip;
    const DrawingBounds bounds{-margin, -margin, image.width() / pixelsPerTwip + margin,
                               image.height() / pixelsPerTwip + margin};
    packVisibleWinding(w, bounds,
                       [&](const Circle& c) { paintDisc(image, c, colour, pixelsPerTwip); });
}

} // namespace lout
