#pragma once

#include "design/design_state.h"
#include "design/inputs.h"

namespace lout::test {

// The start-up inputs, stored the way the input handlers store them, with a
// core of 1.0 cm^2 at the reset flux density.
inline DesignState startUpInputs()
{
    DesignState s;
    s.Ae = 1.0f;
    s.Bm = 0.25f;
    s.U2m = numberFromText("56");
    s.Uo = numberFromText("48");
    s.Io = numberFromText("10");
    s.Fosc = frequencyFromText("100").fosc;
    s.Wave = rippleFromScrollBar(100, 5);
    return s;
}

} // namespace lout::test
