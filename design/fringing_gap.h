#pragma once

#include <optional>

namespace lout {

// The fringing factor of a gapped centre leg: the flux that bulges round the
// gap widens its effective area by
//     F = 1 + (lg / sqrt(Ae)) ln(2 G / lg),
// with the gap lg and the window height G in cm and the effective area Ae
// in cm² (Colonel Wm. T. McLyman, Transformer and Inductor Design Handbook,
// 3rd ed., ch. 8, "Fringing Flux"). Tends to 1 as the gap closes.
double fringingFactor(double gapCm, double windowHeightCm, double areaCm2);

// A gap worked out with fringing counted.
struct FringedGap {
    double gap;            // lg, mm
    double fringingFactor; // F at that gap
};

// The gap that gives `inductance` (uH) with `turns` turns on a core of
// effective area `area` (cm²) and window height `windowHeight` (mm) once
// fringing is counted: L = mu0 N² Ae F(lg) / lg solved for lg, which lies
// between the gap without fringing, mu0 N² Ae / L, and twice the window
// height. Empty where a value is not a positive finite number, or where the
// gap without fringing is already twice the window height or more (the
// factor then no longer describes the gap).
std::optional<FringedGap> fringingCorrectedGap(double inductance, double turns, double area, double windowHeight);

} // namespace lout
