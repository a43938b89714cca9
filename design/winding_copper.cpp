#include "design/winding_copper.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace lout {

namespace {

constexpr double metresPerMillimetre = 1e-3;

bool allFinite(std::initializer_list<double> values)
{
    for (const double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

double meanTurnLength(double centreLegPerimeter, double windingDepth)
{
    return centreLegPerimeter + 2.0 * std::numbers::pi * (bobbinWallThickness + windingDepth / 2.0);
}

double windingResistance(double turns, double meanTurnLength, double strands, double diameter, double celsius)
{
    const double resistivity = copperResistivityAt20C * (1.0 + copperTemperatureCoefficient * (celsius - roomTemperature));
    const double length = turns * meanTurnLength * metresPerMillimetre;
    const double wireRadius = diameter / 2.0 * metresPerMillimetre;
    const double copperArea = strands * std::numbers::pi * wireRadius * wireRadius;
    return resistivity * length / copperArea;
}

std::optional<WindingCopper> windingCopper(double centreLegPerimeter, double windingDepth, double turns,
                                           double strands, double diameter, double current)
{
    if (!allFinite({centreLegPerimeter, windingDepth, turns, strands, diameter, current}) || turns < 0.0
        || windingDepth < 0.0 || !(strands > 0.0) || !(diameter > 0.0))
        return std::nullopt;
    WindingCopper copper{};
    copper.meanTurnLength = meanTurnLength(centreLegPerimeter, windingDepth);
    copper.resistanceAt20C = windingResistance(turns, copper.meanTurnLength, strands, diameter, roomTemperature);
    copper.resistanceAt100C = windingResistance(turns, copper.meanTurnLength, strands, diameter, hotWindingTemperature);
    copper.loss = current * current * copper.resistanceAt100C;
    if (!allFinite({copper.meanTurnLength, copper.resistanceAt20C, copper.resistanceAt100C, copper.loss}))
        return std::nullopt;
    return copper;
}

} // namespace lout
