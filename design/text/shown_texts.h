#pragma once

#include "design/design_calculation.h"

#include <array>
#include <string>

namespace lout {

// Every text the window shows of a design. A result the current inputs did
// not produce reads as a value that is not a number ("-- uH").
struct ShownTexts {
    // The inductance "0.0 uH", the turns "0 匝", the gap and the diameter
    // "0.00 mm", the strands "0 股" and the dummy load "0Ω".
    std::array<std::string, 6> results;
    std::string dutyRatio; // "0%"
    std::string ripple;    // "0%", in the ripple box and in the diagram
};

ShownTexts shownTexts(const DesignResult& design);

} // namespace lout
