#include "design/fringing_gap.h"

#include <cmath>
#include <numbers>

namespace lout {

namespace {

// Permeability of free space, H/m.
constexpr double vacuumPermeability = 4e-7 * std::numbers::pi;
constexpr double squareMetresPerSquareCentimetre = 1e-4;
constexpr double henriesPerMicrohenry = 1e-6;
constexpr double centimetresPerMetre = 100;
constexpr double millimetresPerCentimetre = 10;

bool positiveFinite(double value)
{
    return std::isfinite(value) && value > 0.0;
}

} // namespace

double fringingFactor(double gapCm, double windowHeightCm, double areaCm2)
{
    return 1.0 + gapCm / std::sqrt(areaCm2) * std::log(2.0 * windowHeightCm / gapCm);
}

// h(lg) = lg - lg0 F(lg) is convex, below zero at lg0 and above zero at 2 G,
// so it crosses zero exactly once in between, where it rises. Newton's
// steps from 2 G therefore fall towards the crossing without passing it;
// they stop when a step no longer brings the gap down.
std::optional<FringedGap> fringingCorrectedGap(double inductance, double turns, double area, double windowHeight)
{
    if (!positiveFinite(inductance) || !positiveFinite(turns) || !positiveFinite(area) || !positiveFinite(windowHeight))
        return std::nullopt;
    const double unfringedMetres =
        vacuumPermeability * turns * turns * (area * squareMetresPerSquareCentimetre) / (inductance * henriesPerMicrohenry);
    const double unfringed = unfringedMetres * centimetresPerMetre;
    const double windowHeightCm = windowHeight / millimetresPerCentimetre;
    const double widest = 2.0 * windowHeightCm;
    if (!positiveFinite(unfringed) || !(unfringed < widest))
        return std::nullopt;

    const double spread = unfringed / std::sqrt(area); // lg0 / sqrt(Ae)
    double gap = widest;
    for (;;) {
        const double logarithm = std::log(widest / gap);
        const double excess = gap - unfringed - spread * gap * logarithm;
        const double slope = 1.0 - spread * (logarithm - 1.0);
        const double next = gap - excess / slope;
        if (!(next < gap) || !(next > unfringed))
            break;
        gap = next;
    }
    return FringedGap{gap * millimetresPerCentimetre, fringingFactor(gap, windowHeightCm, area)};
}

} // namespace lout
