#pragma once

#include "design/design_state.h"
#include "design/inputs.h"

namespace lout::test {

// The start-up inputs, stored the way the input handlers store them, with a
// core of 1.0 cm^2 at the reset flux density.
inline DesignState startUpInputs()
{
    DesignState s;
    s.coreArea = 1.0f;
    s.fluxDensity = 0.25f;
    s.secondaryPeakVoltage = numberFromText("56");
    s.outputVoltage = numberFromText("48");
    s.outputCurrent = numberFromText("10");
    s.frequency = frequencyFromText("100").hertz;
    s.rippleRatio = rippleFromScrollBar(100, 5);
    return s;
}

} // namespace lout::test
