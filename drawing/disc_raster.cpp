#include "drawing/disc_raster.h"

#include <algorithm>
#include <cmath>

namespace lout {

namespace {

constexpr int opaque = 255;

// Source-over of a premultiplied colour at `coverage` / 255.
QRgb blend(QRgb destination, QRgb source, int coverage)
{
    constexpr int scale = 255 * opaque;
    const int keep = scale - qAlpha(source) * coverage;
    const auto channel = [&](int s, int d) { return (s * coverage * 255 + d * keep + scale / 2) / scale; };
    return qRgba(channel(qRed(source), qRed(destination)), channel(qGreen(source), qGreen(destination)),
                 channel(qBlue(source), qBlue(destination)), channel(qAlpha(source), qAlpha(destination)));
}

// First and last pixel index in [0, size) that the span [low, high] reaches.
bool pixelSpan(double low, double high, int size, int& first, int& last)
{
    const double from = std::max(std::floor(low), 0.0);
    const double to = std::min(std::floor(high), static_cast<double>(size) - 1.0);
    if (!(from <= to))
        return false;
    first = static_cast<int>(from);
    last = static_cast<int>(to);
    return true;
}

} // namespace

void paintDisc(QImage& image, const Circle& circle, const QColor& colour, double pixelsPerTwip)
{
    const double cx = static_cast<double>(circle.cx) * pixelsPerTwip;
    const double cy = static_cast<double>(circle.cy) * pixelsPerTwip;
    // The outline, one pixel wide on the circumference, reaches half a pixel
    // beyond the radius.
    const double radius = std::fabs(static_cast<double>(circle.r)) * pixelsPerTwip + 0.5;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius))
        return;

    // A pixel is covered by how far its centre lies inside the edge, within
    // half a pixel either side: fully inside R - 0.5, untouched beyond R + 0.5.
    const double reach = radius + 0.5;
    // Pixel px has its centre at px + 0.5.
    int left = 0, right = 0, top = 0, bottom = 0;
    if (!pixelSpan(cx - reach - 0.5, cx + reach - 0.5, image.width(), left, right)
        || !pixelSpan(cy - reach - 0.5, cy + reach - 0.5, image.height(), top, bottom))
        return;

    const QRgb source = qPremultiply(colour.rgba());
    const double inner = radius - 0.5;
    const double innerSquared = inner * inner; // radius >= 0.5, so inner >= 0
    const double outerSquared = reach * reach;
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int py = top; py <= bottom; ++py) {
        auto* row = reinterpret_cast<QRgb*>(bits + py * stride);
        const double dy = py + 0.5 - cy;
        const double dySquared = dy * dy;
        for (int px = left; px <= right; ++px) {
            const double dx = px + 0.5 - cx;
            const double distanceSquared = dx * dx + dySquared;
            if (distanceSquared >= outerSquared)
                continue;
            const int coverage = distanceSquared <= innerSquared
                                     ? opaque
                                     : static_cast<int>((reach - std::sqrt(distanceSquared)) * opaque + 0.5);
            if (coverage > 0)
                row[px] = blend(row[px], source, coverage);
        }
    }
}

} // namespace lout
