#pragma once

#include "design/current_results.h"
#include "design/design_state.h"

#include <cstdint>
#include <optional>

namespace lout {

// Everything one recomputation of the design produces.
struct DesignResult {
    // Every stored value: the inputs, the duty ratio and the results. A step
    // that failed before its store left the value of an earlier one.
    DesignState state;
    // Which results the current inputs produced.
    CurrentResults current;
    // The load whose current equals the ripple current, in whole ohms;
    // empty when its division fails (no ripple, no current, overflow).
    std::optional<float> dummyLoad;
};

// Evaluates the design equations (duty ratio, inductance, turns, gap,
// diameter, strands) in their fixed order from `before`, and the dummy
// load. Never fails: a step whose arithmetic fails is abandoned and the
// next one runs.
DesignResult calculateDesign(const DesignState& before);

// `result` after inputs were stored without a recomputation (a frequency
// too large for single precision is kept but not computed with): the values
// stay, and the results those inputs feed are no longer current.
DesignResult withoutRecomputing(DesignResult result, const ChangedInputs& changed);

// The values of `result` as the window shows and draws them: every result
// (the duty ratio, inductance, turns, gap, diameter and strands) that the
// current inputs did not produce is NaN, which reads as "--" and draws no
// winding; the inputs are as stored.
DesignState producedValues(const DesignResult& result);

// The dummy load: Uo / ripple / Io floored to whole ohms and narrowed to
// single precision; empty when the division fails.
std::optional<float> dummyLoad(float outputVoltage, float rippleRatio, float outputCurrent);

// The ripple ratio the spinner stands for: its value over its top value
// (100), in double precision, narrowed.
float rippleFromSpinner(std::int16_t top, std::int16_t value);

} // namespace lout
