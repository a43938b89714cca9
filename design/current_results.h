#pragma once

#include "design_state.h"

#include <array>
#include <string>

namespace lout {

// Which computing steps of one recomputation stored their result. A step
// that failed before its store left the value of an earlier recomputation
// in place.
struct StoredSteps {
    bool dutyRatio = false;
    bool inductance = false;
    bool turns = false;
    bool airGap = false;
    bool wireDiameter = false;
    bool strandsUnrounded = false;
    bool strandsRounded = false;
};

// Inputs of the design stored after the latest recomputation ran, with no
// recomputation following them (a frequency beyond the single range).
struct ChangedInputs {
    bool U2m = false;
    bool Uo = false;
    bool Io = false;
    bool Wave = false;
    bool Ae = false;
    bool Bm = false;
    bool Fosc = false;
};

// Which results of the design state the latest recomputation produced from
// the current inputs. A result is not current when its step kept an earlier
// value, when it was computed from a result that is not current (the gap
// from kept turns), or when one of its inputs changed since.
struct CurrentResults {
    bool Dmax = false;
    bool L_uH = false;
    bool N_Turn = false;
    bool Gap_mm = false;
    bool Dia_mm = false;
    bool N_Strand = false;

    bool operator==(const CurrentResults&) const = default;
};

CurrentResults resultsFromCurrentInputs(const StoredSteps& latest, const ChangedInputs& changedSince = {});

// Texts of the result labels lab_Pram(0) to lab_Pram(4) for the results in
// `s`. A result that is not current reads as a value that is not a number
// ("-- uH"), until a later recomputation produces it again.
std::array<std::string, 5> shownResultLabels(const DesignState& s, const CurrentResults& current);

// Text of the duty-ratio box for `s.Dmax`, "--%" when it is not current.
std::string shownDutyRatio(const DesignState& s, const CurrentResults& current);

} // namespace lout
