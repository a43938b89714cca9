#pragma once

#include <optional>

namespace lout {

// Annealed copper, IEC 60028: resistivity at 20 °C and its temperature
// coefficient there.
inline constexpr double copperResistivityAt20C = 1.724e-8;     // ohm m
inline constexpr double copperTemperatureCoefficient = 0.00393; // per K
// The coil former's wall between the centre leg and the first layer.
inline constexpr double bobbinWallThickness = 0.55; // mm
// The temperatures the winding's resistance is given at.
inline constexpr double roomTemperature = 20;    // °C
inline constexpr double hotWindingTemperature = 100; // °C

// Mean length of a turn, mm: the centre leg's perimeter plus the circle
// that the middle of the winding describes round its corners,
//     MLT = P + 2 pi (wall + depth / 2).
double meanTurnLength(double centreLegPerimeter, double windingDepth);

// DC resistance, ohm, of `turns` turns `meanTurnLength` mm long of
// `strands` wires `diameter` mm thick in parallel at `celsius`:
//     R = rho20 (1 + alpha (T - 20)) N MLT / (strands pi d² / 4).
double windingResistance(double turns, double meanTurnLength, double strands, double diameter, double celsius);

// The winding's copper.
struct WindingCopper {
    double meanTurnLength;   // mm
    double resistanceAt20C;  // ohm
    double resistanceAt100C; // ohm
    double loss;             // W: Io² R at 100 °C
};

// The copper of a winding on a centre leg of perimeter `centreLegPerimeter`
// mm, packed `windingDepth` mm deep, carrying `current` A. Empty where a
// value is not a finite number, the turns or the depth are negative, or
// there is no wire (no strands, no diameter).
std::optional<WindingCopper> windingCopper(double centreLegPerimeter, double windingDepth, double turns,
                                           double strands, double diameter, double current);

} // namespace lout
