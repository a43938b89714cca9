#include "design/fringing_gap.h"
#include "design/winding_copper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace lout {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// Without fringing mu0 N² Ae / L = 1 mm in the first four cases (L = 0.04 pi
// N² Ae in uH). With it, lg = 0.1 cm × (1 + lg / sqrt(Ae) ln(2 G / lg)),
// iterated by hand from lg = 0.1 cm until it settles. The EE42-21-15 case
// is the opening inputs on that core: 57.428570 uH, 13 turns, Ae 1.78 cm²,
// G = 2 E = 30.3 mm (lg0 = 0.6582 mm).
TEST(FringingGap, HandWorkedGapsAndTheLimits)
{
    const struct {
        double inductance, turns, area, windowHeight;
        std::optional<double> gap, factor;
    } cases[] = {
        {4 * pi, 10, 1.0, 30, 1.5727091, 1.5727091},
        {16 * pi, 10, 4.0, 20, 1.2118794, 1.2118794},
        // 2 G = 1.2 mm, just above lg0: little room to fringe into.
        {4 * pi, 10, 1.0, 0.6, 1.0168410, 1.0168410},
        // 2 G = 0.8 mm is below lg0: the factor does not describe the gap.
        {4 * pi, 10, 1.0, 0.4, std::nullopt, std::nullopt},
        {57.428570, 13, 1.78, 30.3, 0.8347132, 1.2680861},
        {0, 10, 1.0, 30, std::nullopt, std::nullopt}, {-4 * pi, 10, 1.0, 30, std::nullopt, std::nullopt},
        {4 * pi, 0, 1.0, 30, std::nullopt, std::nullopt}, {4 * pi, 10, 0, 30, std::nullopt, std::nullopt},
        {4 * pi, 10, 1.0, nan, std::nullopt, std::nullopt}, {inf, 10, 1.0, 30, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inductance << " uH, " << c.turns << " turns, " << c.area << " cm², H "
                                        << c.windowHeight << " mm");
        const std::optional<FringedGap> fringed =
            fringingCorrectedGap(c.inductance, c.turns, c.area, c.windowHeight);
        ASSERT_EQ(fringed.has_value(), c.gap.has_value());
        if (!fringed)
            continue;
        EXPECT_NEAR(fringed->gap, *c.gap, 1e-6);
        EXPECT_NEAR(fringed->fringingFactor, *c.factor, 1e-6);
    }
    // F -> 1 as the gap closes; 1 + 0.1 ln 60 at a 1 mm gap in a 30 mm
    // window on 1 cm².
    EXPECT_NEAR(fringingFactor(1e-9, 3.0, 1.0), 1.0, 1e-7);
    EXPECT_NEAR(fringingFactor(1e-4, 3.0, 1.0), 1.0 + 1e-4 * std::log(6e4), 1e-12);
    EXPECT_NEAR(fringingFactor(0.1, 3.0, 1.0), 1.4094345, 1e-7);
}

// P = 2 (12 + 10) = 44 mm, 2 mm deep: MLT = 44 + 2 pi (0.55 + 1) =
// 53.738937 mm; 20 turns of 10 strands of 0.5 mm (1.963495 mm²) give
// 1.724e-8 × 20 × 0.053738937 / 1.963495e-6 = 9.436837 mOhm at 20 °C, ×
// 1.3144 at 100 °C, 100 A² × that = 1.240378 W. ETD29 at the opening
// inputs: a pole of pi × 9.5 mm, 30 turns of 29 × 0.41742066 mm wound
// 15.522620 mm deep (30 columns of 0.51742066 mm).
TEST(WindingCopper, HandWorkedResistanceAndLoss)
{
    const struct {
        double perimeter, depth, turns, strands, diameter, current;
        std::optional<WindingCopper> copper;
    } cases[] = {
        {44, 2, 20, 10, 0.5, 10, WindingCopper{53.738937, 9.436837e-3, 12.403778e-3, 1.2403778}},
        {pi * 9.5, 15.522620, 30, 29, 0.41742066, 10, WindingCopper{82.066630, 10.695211e-3, 14.057786e-3, 1.4057786}},
        {28, 0, 0, 3, 1.0, 5, WindingCopper{31.455752, 0, 0, 0}},
        {44, 2, 20, 0, 0.5, 10, std::nullopt}, {44, 2, 20, 10, 0, 10, std::nullopt},
        {44, 2, -1, 10, 0.5, 10, std::nullopt}, {44, -1, 20, 10, 0.5, 10, std::nullopt},
        {44, nan, 20, 10, 0.5, 10, std::nullopt}, {44, 2, 20, 10, 0.5, inf, std::nullopt},
        {44, 2, 20, 10, 1e-300, 10, std::nullopt}, // no copper area left to carry it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "P " << c.perimeter << ", depth " << c.depth << ", " << c.turns << " × "
                                        << c.strands << " × " << c.diameter << " mm");
        const std::optional<WindingCopper> copper =
            windingCopper(c.perimeter, c.depth, c.turns, c.strands, c.diameter, c.current);
        ASSERT_EQ(copper.has_value(), c.copper.has_value());
        if (!copper)
            continue;
        // Seven figures, as the hand-worked values are written.
        const auto close = [](double expected) { return 1e-6 * std::fabs(expected) + 1e-12; };
        EXPECT_NEAR(copper->meanTurnLength, c.copper->meanTurnLength, close(c.copper->meanTurnLength));
        EXPECT_NEAR(copper->resistanceAt20C, c.copper->resistanceAt20C, close(c.copper->resistanceAt20C));
        EXPECT_NEAR(copper->resistanceAt100C, c.copper->resistanceAt100C, close(c.copper->resistanceAt100C));
        EXPECT_NEAR(copper->loss, c.copper->loss, close(c.copper->loss));
    }
}

} // namespace
} // namespace lout
