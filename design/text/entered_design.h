#pragma once

#include "design/design_calculation.h"

#include <cstddef>
#include <string>

namespace lout {

// What a user enters into the window: the texts of the four input boxes and
// the ripple spinner's whole per cent.
struct EnteredInputs {
    std::string secondaryPeakVoltage; // V
    std::string outputVoltage;        // V
    std::string outputCurrent;        // A
    std::string frequency;            // kHz
    int ripplePercent = 0;            // 0..100
};

// The inputs start-up writes, in this order: 56 V, 48 V, 10 A, 100 kHz and
// 5 %, after choosing the model at kStartUpModel of the catalogue's order
// (the seventh).
EnteredInputs startUpInputs();
inline constexpr std::size_t kStartUpModel = 6;
// A catalogue the program can start with has at least this many models.
inline constexpr std::size_t kModelsTheProgramNeeds = kStartUpModel + 1;

// The design as a window holds it between events, with what was entered.
struct ShownDesign {
    DesignResult design;
    EnteredInputs entered;
};

// A freshly started window: every value zero, the model of area
// `startUpModelArea` chosen, then the start-up inputs written one by one.
ShownDesign startedWindow(float startUpModelArea);

// `window` after the model of area `coreArea` is chosen and `inputs` are
// entered, in the order of the boxes from the top (secondary voltage,
// output voltage, output current, frequency) and the ripple last. Each is
// handled as the window handles it: a box or spinner that already shows the
// entered value raises nothing, a frequency too large for single precision
// is kept without a recomputation, any other change recomputes the design.
ShownDesign afterEntering(ShownDesign window, float coreArea, const EnteredInputs& inputs);

} // namespace lout
