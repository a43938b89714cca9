#pragma once

#include <QRect>

#include <cmath>

namespace lout {

// The window is designed in twips; 15 twips make one logical pixel (96 dpi).
// Qt's high-DPI scaling maps logical pixels onto the screen.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline QRect twipsRect(double left, double top, double width, double height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace lout
