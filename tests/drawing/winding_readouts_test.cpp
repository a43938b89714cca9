#include "drawing/design_readouts.h"

#include "design/text/entered_design.h"
#include "drawing/circle_packing.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

namespace lout {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr float wire = 0.41742066f; // the opening design's wire, mm

CoreDimensions core(const char* model, std::array<double, 6> millimetres)
{
    CoreDimensions c{std::string(model), {}};
    for (std::size_t i = 0; i < millimetres.size(); ++i)
        if (!std::isnan(millimetres[i]))
            c.millimetres[i] = millimetres[i];
    return c;
}

// A window of W 8 × H 20 mm (an E core with B 28, C 12, E 10): usable 6.9 ×
// 17.8 mm. A turn of two 0.8 mm strands is 1.76 mm tall, so a column holds
// 10; columns stand 0.9 mm apart with their right edges at 1.7, 2.6, ...
// 6.2 mm: 6 columns, 60 turns. Ku = turns × 2 × pi 0.16 / 160.
TEST(WindingFit, HandWorkedFitsAndTheLimits)
{
    const WindingWindow window = *windingWindowOf(core("EE40", {40, 28, 12, 10, 10, 20}));
    ASSERT_EQ(window.usableWidth, 6.9f);
    ASSERT_EQ(window.usableHeight, 17.8f);
    const struct {
        WindingWindow window;
        WindingToFit winding;
        std::optional<WindingFit> fit;
    } cases[] = {
        {window, {10, 2, 0.8f}, WindingFit{10, 6, 60, 10, true, 0.0628319, 0.9}}, // exactly fills a column
        {window, {60, 2, 0.8f}, WindingFit{10, 6, 60, 60, true, 0.3769911, 5.4}},
        {window, {61, 2, 0.8f}, WindingFit{10, 6, 60, 61, false, 0.3832743, 6.3}}, // one turn too many
        {window, {0, 2, 0.8f}, WindingFit{10, 6, 60, 0, true, 0, 0}},
        // 1.7 mm holds no turn of a 1.6 mm wire (1.76 mm); right edges at 3.3,
        // 5.0 and 6.7 mm.
        {{8, 20, 6.9f, 1.7f}, {5, 1, 1.6f}, WindingFit{0, 3, 0, 5, false, 0.0628319, std::nullopt}},
        // EE42-21-15 at the opening inputs: 13 turns of 29 strands.
        {{9.075f, 30.3, 7.97f, 28.1f}, {13, 29, wire}, WindingFit{2, 14, 28, 13, true, 0.1876246, 3.6219446}},
        {window, {10, 0, 0.8f}, std::nullopt}, {window, {10, 2, 0.0f}, std::nullopt},
        {window, {10, 2, std::numeric_limits<float>::quiet_NaN()}, std::nullopt},
        {window, {2.5, 2, 0.8f}, std::nullopt}, {window, {-1, 2, 0.8f}, std::nullopt},
        {{-1, 20, 6.9f, 17.8f}, {10, 2, 0.8f}, std::nullopt}, // B < C: no window
        {{1e30f, 20, 1e30f, 17.8f}, {10, 2, 0.8f}, std::nullopt}, // too many columns to count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.winding.turns << " × " << c.winding.strands << " × " << c.winding.diameter
                                        << " mm in " << c.window.usableWidth << " × " << c.window.usableHeight);
        const std::optional<WindingFit> fit = fitWinding(c.window, c.winding);
        ASSERT_EQ(fit.has_value(), c.fit.has_value());
        if (!fit)
            continue;
        EXPECT_EQ(fit->turnsPerColumn, c.fit->turnsPerColumn);
        EXPECT_EQ(fit->columns, c.fit->columns);
        EXPECT_EQ(fit->turnsHeld, c.fit->turnsHeld);
        EXPECT_EQ(fit->turnsNeeded, c.fit->turnsNeeded);
        EXPECT_EQ(fit->fits, c.fit->fits);
        EXPECT_NEAR(fit->utilisation, c.fit->utilisation, 1e-7);
        ASSERT_EQ(fit->windingDepth.has_value(), c.fit->windingDepth.has_value());
        if (fit->windingDepth) {
            EXPECT_NEAR(*fit->windingDepth, *c.fit->windingDepth, 1e-6);
        }
    }
}

// The fit counts what the winding pictures draw: the turns the window holds,
// packed at 1 twip per mm, lie wholly within the usable width; one more
// column's worth reaches beyond it.
TEST(WindingFit, TheTurnsHeldAreTheTurnsThePicturesDrawInsideTheWindow)
{
    const struct {
        WindingWindow window;
        std::uint8_t strands;
        float diameter;
    } windings[] = {{{8, 20, 6.9f, 17.8f}, 2, 0.8f}, {{9.075f, 30.3, 7.97f, 28.1f}, 29, wire},
                    {{6.6f, 22, 5.5f, 19.8f}, 3, 0.3f}, {{8, 22.8, 6.9f, 20.6f}, 1, 1.0f}};
    for (const auto& w : windings) {
        const WindingFit fit = *fitWinding(w.window, {0, double(w.strands), w.diameter});
        ASSERT_LE(fit.turnsHeld + fit.turnsPerColumn, 255);
        const auto rightmost = [&](double turns) {
            float right = 0;
            packWinding({w.window.usableHeight, 1.0f, std::uint8_t(turns), w.strands, w.diameter},
                        [&](const Circle& c) { right = std::max(right, c.cx + c.r); });
            return right;
        };
        EXPECT_LE(rightmost(fit.turnsHeld), w.window.usableWidth) << w.diameter;
        EXPECT_GT(rightmost(fit.turnsHeld + fit.turnsPerColumn), w.window.usableWidth) << w.diameter;
    }
}

TEST(CentreLeg, PerimeterByFamily)
{
    const std::array<double, 6> dims = {40, 28, 12, 10, 10, 20};
    const double round = std::numbers::pi * 12;
    const struct {
        const char* model;
        std::optional<double> perimeter;
    } families[] = {{"EE40", 44}, {"EI40", 44}, {"UU25", 44}, {"EC35", round}, {"ETD29", round}, {"PQ26", round},
                    {"RM8", round}, {"EP13", round}, {"UF30", std::nullopt}, {"XX10", std::nullopt}};
    for (const auto& f : families)
        EXPECT_EQ(centreLegPerimeter(core(f.model, dims)), f.perimeter) << f.model;
    EXPECT_EQ(centreLegPerimeter(core("EE40", {40, 28, 12, nan, 10, 20})), std::nullopt);
    EXPECT_EQ(centreLegPerimeter(core("RM8", {40, 28, 12, nan, 10, 20})), round); // a pole needs no D
    EXPECT_EQ(centreLegPerimeter(core("EE40", {40, 28, -10, 10, 10, 20})), std::nullopt);
}

// The opening inputs (57.4 uH, 0.42 mm, 29 strands) on three cores of the
// bundled catalogue, worked by hand in the two tests above; then a core
// whose window no turn fits, one of no known family, and results shown as
// "--".
TEST(DesignReadouts, ThreeCoresOfTheCatalogueAndWhatIsMissing)
{
    const ShownDesign started = startedWindow(0.395f);
    const auto shownOn = [&](float area) { return afterEntering(started, area, startUpInputs()); };
    const struct {
        CoreDimensions core;
        float area;
        std::array<std::string, 3> texts; // fit, gap, copper
    } cores[] = {
        {core("EE42-21-15", {42.15, 30.1, 11.95, 14.95, 15.15, 21}), 1.78f,
         {"窗口可绕 28 匝（每列 2 匝 × 14 列），需要 13 匝：绕得下；窗口利用系数 0.19",
          "考虑边缘磁通：约 0.83 mm，边缘系数 1.27",
          "平均匝长 68.6 mm，直流电阻 3.9 mΩ（20 °C）/ 5.1 mΩ（100 °C），铜损约 0.51 W"}},
        {core("ETD29", {29.8, 22.7, 9.5, 9.5, 11, 15.8}), 0.76f,
         {"窗口可绕 9 匝（每列 1 匝 × 9 列），需要 30 匝：绕不下；窗口利用系数 0.82",
          "考虑边缘磁通：约 2.83 mm，边缘系数 1.89",
          "平均匝长 82.1 mm，直流电阻 10.7 mΩ（20 °C）/ 14.1 mΩ（100 °C），铜损约 1.41 W"}},
        {core("UU25-20-13", {24.8, 8, 8.4, 12.7, 11.4, 19.6}), 1.04f,
         {"窗口可绕 12 匝（每列 1 匝 × 12 列），需要 22 匝：绕不下；窗口利用系数 0.48",
          "考虑边缘磁通：约 1.71 mm，边缘系数 1.55",
          "平均匝长 81.4 mm，直流电阻 7.8 mΩ（20 °C）/ 10.2 mΩ（100 °C），铜损约 1.02 W"}},
        {core("EE18-4-10", {18, 14, 4, 10, 2, 4}), 0.395f,
         {"窗口可绕 0 匝（每列 0 匝 × 6 列），需要 58 匝：绕不下；窗口利用系数 11.51",
          "考虑边缘磁通：约 4.17 mm，边缘系数 1.43", copperText(std::nullopt)}},
        {core("XX42", {42.15, 30.1, 11.95, 14.95, 15.15, 21}), 1.78f,
         {windingFitText(std::nullopt), fringedGapText(std::nullopt), copperText(std::nullopt)}},
    };
    for (const auto& c : cores) {
        SCOPED_TRACE(*c.core.modelName);
        const ShownDesign shown = shownOn(c.area);
        const DesignReadouts readouts = readoutsOf(c.core, shown.design);
        EXPECT_EQ((std::array{windingFitText(readouts.fit), fringedGapText(readouts.fringedGap),
                              copperText(readouts.copper)}),
                  c.texts);
    }
    EXPECT_EQ(copperText(std::nullopt), "无法估算铜损：匝数、线径或股数没有算出，一列绕不下一匝，或这个型号的中柱尺寸未知");

    const ShownDesign shown = shownOn(1.78f);
    const CoreDimensions ee42 = cores[0].core;
    const auto present = [&](const CurrentResults& current) {
        const DesignReadouts r = readoutsOf(ee42, {shown.design.state, current, shown.design.dummyLoad});
        return std::array{r.fit.has_value(), r.fringedGap.has_value(), r.copper.has_value()};
    };
    EXPECT_EQ(present(shown.design.current), (std::array{true, true, true}));
    CurrentResults noInductance = shown.design.current, noTurns = noInductance, noStrands = noInductance;
    noInductance.inductance = false;
    noTurns.turns = false;
    noStrands.strands = false;
    EXPECT_EQ(present(noInductance), (std::array{true, false, true}));
    EXPECT_EQ(present(noTurns), (std::array{false, false, false}));
    EXPECT_EQ(present(noStrands), (std::array{false, true, false}));
}

} // namespace
} // namespace lout
