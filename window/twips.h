#pragma once

#include <QRect>
#include <QWidget>

#include <cmath>

namespace lout {

// The window is designed in twips; 15 twips make one logical pixel (96 dpi).
// Qt's high-DPI scaling maps logical pixels onto the screen.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// A height the core drawing gives a control: a catalogue may make it
// negative, non-finite or far beyond any screen, so it is held to what a
// widget can take (0 up to Qt's largest size).
inline int twipsToWidgetSize(double twips)
{
    if (!(twips > 0))
        return 0;
    const double pixels = std::round(twips / kTwipsPerPixel);
    return pixels >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : static_cast<int>(pixels);
}

inline QRect twipsRect(double left, double top, double width, double height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace lout
