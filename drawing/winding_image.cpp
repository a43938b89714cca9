#include "drawing/winding_image.h"

#include "drawing/disc_raster.h"

#include <cmath>

namespace lout {

namespace {

// How far around a circle its painted pixels can reach, in device pixels
// (the half-pixel outline and the cut edge pixels), with room to spare.
constexpr double paintedReachPixels = 2.0;

} // namespace

void drawWinding(QImage& image, const QColor& background, const Winding& w, float& columnWidth,
                 const QColor& colour, double pixelsPerTwip)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.fill(background);

    // With no usable scale nothing can be placed on the image, but the
    // packing still runs so that the column width carries on as always.
    const bool scaled = std::isfinite(pixelsPerTwip) && pixelsPerTwip > 0.0;
    const double margin = scaled ? paintedReachPixels / pixelsPerTwip : 0.0;
    const DrawingBounds bounds = scaled ? DrawingBounds{-margin, -margin, image.width() / pixelsPerTwip + margin,
                                                        image.height() / pixelsPerTwip + margin}
                                        : DrawingBounds{1.0, 1.0, 0.0, 0.0};
    packVisibleWinding(w, columnWidth, bounds,
                       [&](const Circle& c) { paintDisc(image, c, colour, pixelsPerTwip); });
}

} // namespace lout
