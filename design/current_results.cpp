#include "design/current_results.h"

#include "design/number_text.h"
#include "design/ref_pram.h"

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
CurrentResults resultsFromCurrentInputs(const StoredSteps& latest, const ChangedInputs& changed)
{
    CurrentResults r;
    r.Dmax = latest.dutyRatio && !changed.U2m && !changed.Uo;
    r.L_uH = latest.inductance && r.Dmax && !changed.U2m && !changed.Uo && !changed.Fosc && !changed.Io &&
             !changed.Wave;
    r.N_Turn = latest.turns && r.Dmax && !changed.Fosc && !changed.Wave && !changed.Bm && !changed.Ae;
    r.Gap_mm = latest.airGap && r.N_Turn && !changed.Io && !changed.Bm;
    r.Dia_mm = latest.wireDiameter && !changed.Fosc;
    r.N_Strand = latest.strandsUnrounded && latest.strandsRounded && r.Dia_mm && !changed.Io;
    return r;
}

std::array<std::string, 5> shownResultLabels(const DesignState& s, const CurrentResults& current)
{
    return {resultLabelText(0, shown(s.L_uH, current.L_uH)), resultLabelText(1, shown(s.N_Turn, current.N_Turn)),
            resultLabelText(2, shown(s.Gap_mm, current.Gap_mm)), resultLabelText(3, shown(s.Dia_mm, current.Dia_mm)),
            resultLabelText(4, shown(s.N_Strand, current.N_Strand))};
}

std::string shownDutyRatio(const DesignState& s, const CurrentResults& current)
{
    return formatPercent(shown(s.Dmax, current.Dmax));
}

} // namespace lout
