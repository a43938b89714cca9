#pragma once

#include "design/design_calculation.h"
#include "design/fringing_gap.h"
#include "design/winding_copper.h"
#include "drawing/core_window.h"
#include "drawing/winding_fit.h"

#include <optional>
#include <string>

namespace lout {

// What the shown design leads to on the chosen core, beyond the window's
// results: whether the winding fits the window, the gap once fringing is
// counted, the winding's copper. Each is empty where it cannot be formed:
// a result it needs is not current (shown as "--"), or the core's family or
// dimensions do not give the window or the centre leg it needs.
struct DesignReadouts {
    std::optional<WindingFit> fit;
    std::optional<FringedGap> fringedGap;
    std::optional<WindingCopper> copper;
    std::optional<double> windowArea; // W × H of the whole window, mm²
};

DesignReadouts readoutsOf(const CoreDimensions& core, const DesignResult& design);

// The readouts as the window's tooltips and the command line state them,
// or what is missing where a readout is empty.
std::string windingFitText(const std::optional<WindingFit>& fit);
std::string fringedGapText(const std::optional<FringedGap>& gap);
std::string copperText(const std::optional<WindingCopper>& copper);

} // namespace lout
