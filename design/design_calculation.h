#pragma once

#include "current_results.h"
#include "design_state.h"

#include <array>
#include <string>

namespace lout {

// One recomputation: the new design state and which steps stored their
// result.
struct DesignCalculation {
    DesignState state;
    StoredResults stored;
};

// Evaluates the design equations (duty ratio, inductance, turns, gap,
// diameter, strands) in their fixed order from `before`. Never fails: a step
// whose arithmetic fails is abandoned and the next one runs.
DesignCalculation calculateDesign(const DesignState& before);

// Texts of the result labels lab_Pram(0) to lab_Pram(4) for the results in
// `s`: the inductance "0.0 uH", the turns "0 匝", the gap and the diameter
// "0.00 mm", the strands "0 股".
std::array<std::string, 5> resultTexts(const DesignState& s);

} // namespace lout
