#pragma once

#include "current_results.h"
#include "design_state.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace lout {

// Result of one recomputation: the new design state, the texts of the five
// result labels lab_Pram(0)..(4) and which steps stored their result. An
// empty optional means the label's text could not be formed and the label
// keeps what it showed before.
struct RefPramOutcome {
    DesignState state;
    std::array<std::optional<std::string>, 5> labels;
    StoredSteps stored;
};

// Text of result label lab_Pram(index), 0 to 4, showing `value`: the
// inductance "0.0 uH", the turns "0 匝", the gap and the diameter "0.00 mm",
// the strands "0 股".
std::string resultLabelText(std::size_t index, float value);

// Evaluates the design equations (duty ratio, inductance, turns, gap,
// diameter, strands) in their fixed order from `before`. Never fails: a step
// whose arithmetic fails is abandoned and the next one runs.
RefPramOutcome refPram(const DesignState& before);

} // namespace lout
