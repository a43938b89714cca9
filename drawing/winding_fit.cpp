#include "drawing/winding_fit.h"

#include "drawing/circle_packing.h"

#include <cmath>
#include <numbers>

namespace lout {

namespace {

// Counting columns walks them one by one as the pictures place them; a
// window of more columns than this (at least ten metres wide) is not a core.
constexpr double mostColumnsCounted = 100000;

bool isWholeNumber(double value)
{
    return std::isfinite(value) && value == std::floor(value);
}

// Columns, placed as the packing places them, whose right edge lies within
// `usableWidth`; empty when there are too many to count.
std::optional<double> columnsWithin(float usableWidth, float diameter)
{
    const double width = static_cast<double>(usableWidth);
    double columns = 0;
    double left = 0;
    for (;;) {
        left = nextColumnLeft(left, diameter);
        if (left + static_cast<double>(diameter) > width)
            return columns;
        if (++columns >= mostColumnsCounted)
            return std::nullopt;
    }
}

} // namespace

std::optional<WindingFit> fitWinding(const WindingWindow& window, const WindingToFit& winding)
{
    if (!isWholeNumber(winding.turns) || winding.turns < 0.0 || !isWholeNumber(winding.strands)
        || winding.strands < 1.0)
        return std::nullopt;
    const std::optional<double> perColumn = turnsPerColumn(window.usableHeight, winding.strands, winding.diameter);
    const double windowArea = static_cast<double>(window.width) * window.height;
    if (!perColumn || !std::isfinite(static_cast<double>(window.usableWidth)) || !std::isfinite(windowArea)
        || !(windowArea > 0.0))
        return std::nullopt;
    const std::optional<double> columns = columnsWithin(window.usableWidth, winding.diameter);
    if (!columns)
        return std::nullopt;

    WindingFit fit{};
    fit.turnsPerColumn = *perColumn;
    fit.columns = *columns;
    fit.turnsHeld = *perColumn * *columns;
    fit.turnsNeeded = winding.turns;
    fit.fits = winding.turns <= fit.turnsHeld;
    const double wireRadius = static_cast<double>(winding.diameter) / 2.0;
    fit.utilisation = winding.turns * winding.strands * std::numbers::pi * wireRadius * wireRadius / windowArea;
    if (!std::isfinite(fit.utilisation))
        return std::nullopt;
    if (winding.turns == 0.0)
        fit.windingDepth = 0.0;
    else if (*perColumn > 0.0)
        fit.windingDepth = std::ceil(winding.turns / *perColumn) * columnPitch(winding.diameter);
    return fit;
}

} // namespace lout
