#include "design/current_results.h"

#include "design/design_calculation.h"
#include "design/number_text.h"

#include <limits>

namespace lout {

namespace {

constexpr float kNotANumber = std::numeric_limits<float>::quiet_NaN();

float shown(float value, bool current)
{
    return current ? value : kNotANumber;
}

} // namespace

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

std::array<std::string, 5> shownResultTexts(const DesignState& s, const CurrentResults& current)
{
    DesignState shownState = s;
    shownState.inductance = shown(s.inductance, current.inductance);
    shownState.turns = shown(s.turns, current.turns);
    shownState.airGap = shown(s.airGap, current.airGap);
    shownState.wireDiameter = shown(s.wireDiameter, current.wireDiameter);
    shownState.strands = shown(s.strands, current.strands);
    return resultTexts(shownState);
}

std::string shownDutyRatio(const DesignState& s, const CurrentResults& current)
{
    return formatPercent(shown(s.dutyRatio, current.dutyRatio));
}

} // namespace lout
