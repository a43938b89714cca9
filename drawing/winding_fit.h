#pragma once

#include "drawing/core_window.h"

#include <optional>

namespace lout {

// The design's winding: whole turns of whole strands of one wire.
struct WindingToFit {
    double turns;
    double strands;
    float diameter; // mm
};

// How the winding fits the core's window when it is packed the way the
// winding pictures pack it: whole turns in columns of the usable height,
// columns placed from the left as the pictures place them.
struct WindingFit {
    double turnsPerColumn; // whole turns of all their strands in one column
    double columns;        // columns whose right edge lies within the usable width
    double turnsHeld;      // turnsPerColumn × columns
    double turnsNeeded;    // the design's turns
    bool fits;             // turnsNeeded <= turnsHeld
    // Ku = turns × strands × pi d² / 4 / (W × H), of the whole window.
    double utilisation;
    // The width the packed columns take, columns used × column pitch, mm;
    // empty when a column holds no turn and some are needed.
    std::optional<double> windingDepth;
};

// Empty where the winding cannot be packed at all (turns or strands that
// are not whole numbers of at least 0 and 1, a wire that is not a positive
// finite diameter), for a window of no area, or one too wide to count its
// columns.
std::optional<WindingFit> fitWinding(const WindingWindow& window, const WindingToFit& winding);

} // namespace lout
