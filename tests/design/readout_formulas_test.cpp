#include "design/fringing_gap.h"
#include "design/winding_copper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <optional>

namespace lout {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// Each field of `got` matches `expected` to seven significant figures, as
// the hand-worked values are written; both are empty or neither.
template <class T>
void expectSevenFigures(const std::optional<T>& got, const std::optional<T>& expected,
                        std::initializer_list<double T::*> fields)
{
    ASSERT_EQ(got.has_value(), expected.has_value());
    for (const auto field : got ? fields : std::initializer_list<double T::*>{})
        EXPECT_NEAR((*got).*field, (*expected).*field, 1e-6 * std::fabs((*expected).*field) + 1e-12);
}

// Without fringing mu0 N² Ae / L = 1 mm in the first four cases (L = 0.04 pi
// N² Ae in uH). With it, lg = 0.1 cm × (1 + lg / sqrt(Ae) ln(2 G / lg)),
// iterated by hand from lg = 0.1 cm until it settles. (The readouts of
// three catalogue cores are worked by hand in the drawing tests.)
TEST(FringingGap, HandWorkedGapsAndTheLimits)
{
    const struct {
        double inductance, turns, area, windowHeight;
        std::optional<FringedGap> fringed;
    } cases[] = {
        {4 * pi, 10, 1.0, 30, FringedGap{1.5727091, 1.5727091}},
        {16 * pi, 10, 4.0, 20, FringedGap{1.2118794, 1.2118794}},
        // 2 G = 1.2 mm, just above lg0: little room to fringe into.
        {4 * pi, 10, 1.0, 0.6, FringedGap{1.0168410, 1.0168410}},
        // 2 G = 0.8 mm is below lg0: the factor does not describe the gap.
        {4 * pi, 10, 1.0, 0.4, std::nullopt}, {0, 10, 1.0, 30, std::nullopt}, {-4 * pi, 10, 1.0, 30, std::nullopt},
        {4 * pi, 0, 1.0, 30, std::nullopt}, {4 * pi, 10, 0, 30, std::nullopt}, {4 * pi, 10, 1.0, nan, std::nullopt},
        {inf, 10, 1.0, 30, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inductance << " uH, " << c.turns << " turns, " << c.area << " cm², H "
                                        << c.windowHeight << " mm");
        expectSevenFigures(fringingCorrectedGap(c.inductance, c.turns, c.area, c.windowHeight), c.fringed,
                           {&FringedGap::gap, &FringedGap::fringingFactor});
    }
    // F -> 1 as the gap closes; 1 + 0.1 ln 60 at a 1 mm gap in a 30 mm
    // window on 1 cm².
    EXPECT_NEAR(fringingFactor(1e-9, 3.0, 1.0), 1.0, 1e-7);
    EXPECT_NEAR(fringingFactor(0.1, 3.0, 1.0), 1.4094345, 1e-7);
}

// P = 2 (12 + 10) = 44 mm, 2 mm deep: MLT = 44 + 2 pi (0.55 + 1) =
// 53.738937 mm; 20 turns of 10 strands of 0.5 mm (1.963495 mm²) give
// 1.724e-8 × 20 × 0.053738937 / 1.963495e-6 = 9.436837 mOhm at 20 °C, ×
// 1.3144 at 100 °C, 100 A² × that = 1.240378 W.
TEST(WindingCopper, HandWorkedResistanceAndLoss)
{
    const struct {
        double perimeter, depth, turns, strands, diameter, current;
        std::optional<WindingCopper> copper;
    } cases[] = {
        {44, 2, 20, 10, 0.5, 10, WindingCopper{53.738937, 9.436837e-3, 12.403778e-3, 1.2403778}},
        {28, 0, 0, 3, 1.0, 5, WindingCopper{31.455752, 0, 0, 0}},
        {44, 2, 20, 0, 0.5, 10, std::nullopt}, {44, 2, 20, 10, 0, 10, std::nullopt},
        {44, 2, -1, 10, 0.5, 10, std::nullopt}, {44, -1, 20, 10, 0.5, 10, std::nullopt},
        {44, nan, 20, 10, 0.5, 10, std::nullopt}, {44, 2, 20, 10, 0.5, inf, std::nullopt},
        {44, 2, 20, 10, 1e-300, 10, std::nullopt}, // no copper area left to carry it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "P " << c.perimeter << ", depth " << c.depth << ", " << c.turns << " × "
                                        << c.strands << " × " << c.diameter << " mm");
        expectSevenFigures(windingCopper(c.perimeter, c.depth, c.turns, c.strands, c.diameter, c.current), c.copper,
                           {&WindingCopper::meanTurnLength, &WindingCopper::resistanceAt20C,
                            &WindingCopper::resistanceAt100C, &WindingCopper::loss});
    }
}

} // namespace
} // namespace lout
