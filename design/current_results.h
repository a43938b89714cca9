#pragma once

#include "design_state.h"

#include <array>
#include <string>

namespace lout {

// One flag for each result of the design, in the order they are computed.
struct ResultFlags {
    bool dutyRatio = false;
    bool inductance = false;
    bool turns = false;
    bool airGap = false;
    bool wireDiameter = false;
    bool strands = false;

    bool operator==(const ResultFlags&) const = default;
};

// Which results one recomputation stored. A step that failed before its
// store left the value of an earlier recomputation in place.
using StoredResults = ResultFlags;

// Which results of the design state the latest recomputation produced from
// the current inputs. A result is not current when its step kept an earlier
// value, when it was computed from a result that is not current (the gap
// from kept turns), or when one of its inputs changed since.
using CurrentResults = ResultFlags;

// Inputs of the design stored after the latest recomputation ran, with no
// recomputation following them (a frequency beyond the single range).
struct ChangedInputs {
    bool secondaryPeakVoltage = false, outputVoltage = false, outputCurrent = false, rippleRatio = false;
    bool coreArea = false, fluxDensity = false, frequency = false;
};

CurrentResults resultsFromCurrentInputs(const StoredResults& latest, const ChangedInputs& changedSince = {});

// Texts of the result labels lab_Pram(0) to lab_Pram(4) for the results in
// `s`. A result that is not current reads as a value that is not a number
// ("-- uH"), until a later recomputation produces it again.
std::array<std::string, 5> shownResultTexts(const DesignState& s, const CurrentResults& current);

// Text of the duty-ratio box for `s.dutyRatio`, "--%" when it is not current.
std::string shownDutyRatio(const DesignState& s, const CurrentResults& current);

} // namespace lout
