#pragma once

#include "design_state.h"

#include <array>
#include <optional>
#include <string>

namespace lout {

// Result of one recomputation: the new design state and the texts of the
// five result labels lab_Pram(0)..(4). An empty optional means the label's
// text could not be formed and the label keeps what it showed before.
struct RefPramOutcome {
    DesignState state;
    std::array<std::optional<std::string>, 5> labels;
};

// Evaluates the design equations (duty ratio, inductance, turns, gap,
// diameter, strands) in their fixed order from `before`. Never fails: a step
// whose arithmetic fails is abandoned and the next one runs.
RefPramOutcome refPram(const DesignState& before);

} // namespace lout
