#include "design/current_results.h"

namespace lout {

// Each result follows the inputs and the results its step reads.
CurrentResults resultsFromCurrentInputs(const StoredResults& latest, const ChangedInputs& changed)
{
    CurrentResults r;
    r.dutyRatio = latest.dutyRatio && !changed.secondaryPeakVoltage && !changed.outputVoltage;
    r.inductance = latest.inductance && r.dutyRatio && !changed.secondaryPeakVoltage && !changed.outputVoltage &&
                   !changed.frequency && !changed.outputCurrent && !changed.rippleRatio;
    r.turns = latest.turns && r.dutyRatio && !changed.frequency && !changed.rippleRatio && !changed.fluxDensity &&
              !changed.coreArea;
    r.airGap = latest.airGap && r.turns && !changed.outputCurrent && !changed.fluxDensity;
    r.wireDiameter = latest.wireDiameter && !changed.frequency;
    r.strands = latest.strands && r.wireDiameter && !changed.outputCurrent;
    return r;
}

} // namespace lout
