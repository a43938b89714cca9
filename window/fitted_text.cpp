#include "window/fitted_text.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <cmath>

namespace lout {

namespace {

// Glyphs may reach a little beyond their advance, and a high-resolution
// screen rounds them differently: a text counts as fitting with this much
// room to spare.
constexpr double kSparePixels = 1.0;

bool fits(const QString& text, const QFont& font, int width)
{
    return QFontMetricsF(font).horizontalAdvance(text) + kSparePixels <= width;
}

QFont atPixelSize(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
}

} // namespace

FittedText fitText(const QString& text, const QFont& font, int width)
{
    if (fits(text, font, width))
        return {font, text};
    for (int pixels = QFontInfo(font).pixelSize() - 1; pixels >= kSmallestPixelSize; --pixels) {
        const QFont smaller = atPixelSize(font, pixels);
        if (fits(text, smaller, width))
            return {smaller, text};
    }
    const QFont smallest = atPixelSize(font, kSmallestPixelSize);
    const int room = static_cast<int>(std::floor(width - kSparePixels));
    return {smallest, QFontMetricsF(smallest).elidedText(text, Qt::ElideRight, room)};
}

} // namespace lout
