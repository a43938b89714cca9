#pragma once

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
// recomputation following them (a frequency too large for single
// precision).
struct ChangedInputs {
    bool secondaryPeakVoltage = false, outputVoltage = false, outputCurrent = false, rippleRatio = false;
    bool coreArea = false, fluxDensity = false, frequency = false;
};

// Each result is current when its step stored it, the results it reads are
// current and none of its inputs changed since.
CurrentResults resultsFromCurrentInputs(const StoredResults& latest, const ChangedInputs& changedSince = {});

} // namespace lout
