#include "drawing/core_window.h"

#include "design/text/entered_design.h"
#include "drawing/design_readouts.h"
#include "jet/field_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace lout {
namespace {

constexpr float yokeWidth = 2415.0f;
constexpr float pictureWidth = 375.0f;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// A catalogue row as the window hands it over: the name's text and the
// number each dimension cell stands for.
CoreDimensions row(const FieldValue& type, const FieldValue& a, const FieldValue& b, const FieldValue& c,
                   const FieldValue& e)
{
    CoreDimensions core{textValue(type), {}};
    const FieldValue cells[] = {a, b, c, 9.0, e, 6.0};
    for (std::size_t i = 0; i < core.millimetres.size(); ++i)
        core.millimetres[i] = numericValue(cells[i]);
    return core;
}

CoreWindowLayout layout(const CoreDimensions& core) { return layoutCoreWindow(core, yokeWidth, pictureWidth); }

TEST(CoreWindow, FamilyCodeIsTheFirstTwoCharactersNotBytes)
{
    const std::pair<const char*, const char*> codes[] = {{"EE42/21/15", "EE"}, {"ETD29", "ET"}, {"E", "E"},
                                                         {"", ""}, {"磁芯型号", "磁芯"}, {"E磁芯", "E磁"},
                                                         {"é€x", "é€"}};
    for (const auto& [model, code] : codes)
        EXPECT_EQ(familyCode(model), code) << model;
}

// A = 40, B = 28, C = 12, E = 10 mm: the yoke stands for A at 60.375
// twips/mm, the legs are 603.75 twips; the family gives the window, the
// usable window fills the 375 twips wide picture at 54.347828 twips/mm for
// an E core. An unknown code (the comparison is case-sensitive) keeps
// W = H = 0: a negative scale and pictures twice as high as wide.
TEST(CoreWindow, FamilyFormulasAndTheScales)
{
    const struct {
        const char* model;
        float usableWidth, usableHeight, pictureHeight;
    } families[] = {
        {"EE40", 6.90f, 17.80f, 967.39136f}, {"EI40", 6.90f, 7.80f, 423.91304f}, {"E", 6.90f, 17.80f, 967.39136f},
        {"EC35", 6.90f, 17.80f, 967.39136f}, {"ETD29", 6.90f, 17.80f, 967.39136f},
        {"PQ32/30", 6.90f, 17.80f, 967.39136f}, {"RM10", 6.90f, 17.80f, 967.39136f},
        {"EP13", 6.90f, 17.80f, 967.39136f}, {"UU28", 26.90f, 17.80f, 248.14126f},
        {"UF30", 26.90f, 17.80f, 248.14126f}, {"ei40", -1.10f, -2.20f, 750}, {"E40", -1.10f, -2.20f, 750},
        {"Ee40", -1.10f, -2.20f, 750}, {"", -1.10f, -2.20f, 750}, {"P", -1.10f, -2.20f, 750},
    };
    for (const auto& f : families) {
        SCOPED_TRACE(f.model);
        // Dimensions held as text count as the numbers they read.
        const CoreWindowLayout l = layout(row(std::string(f.model), std::string("40"), std::string(" 28 "),
                                              std::string("12"), std::string("1e1")));
        ASSERT_TRUE(l.readyToDraw());
        EXPECT_EQ(*l.outlineScale, 60.375f);
        EXPECT_EQ(*l.legHeight, 603.75f);
        EXPECT_EQ(*l.usableWidth, f.usableWidth);
        EXPECT_EQ(*l.usableHeight, f.usableHeight);
        EXPECT_FLOAT_EQ(*l.pictureHeight, f.pictureHeight);
    }
}

// How many steps of the pass were done: scale, legs, usable width and
// height, window scale, picture height.
int stepsDone(const CoreWindowLayout& l)
{
    const bool done[] = {l.outlineScale.has_value(), l.legHeight.has_value(), l.usableWidth.has_value(),
                         l.usableHeight.has_value(), l.windowScale.has_value(), l.pictureHeight.has_value()};
    return static_cast<int>(std::find(std::begin(done), std::end(done), false) - std::begin(done));
}

TEST(CoreWindow, APassEndsAtTheStepThatCannotBeDone)
{
    const FieldValue null{}, empty = std::string(), word = std::string("abc");
    const FieldValue infinite = std::numeric_limits<double>::infinity();
    EXPECT_EQ(stepsDone(layout(row(null, 40.0, 28.0, 12.0, 10.0))), 0);
    // B, C or E unusable for a known family ends at the window formulas.
    for (const FieldValue& bad : {null, empty, word, infinite}) {
        EXPECT_EQ(stepsDone(layout(row(std::string("EE"), 40.0, bad, 12.0, 10.0))), 0);
        EXPECT_EQ(stepsDone(layout(row(std::string("EE"), 40.0, 28.0, bad, 10.0))), 0);
        EXPECT_EQ(stepsDone(layout(row(std::string("EE"), 40.0, 28.0, 12.0, bad))), 0);
        EXPECT_EQ(stepsDone(layout(row(std::string("UU"), 40.0, bad, 12.0, 10.0))), 0);
    }
    // A zero or unusable A: nothing is resized.
    for (const FieldValue& bad : {FieldValue{0.0}, FieldValue{std::string("0")}, null, empty, word})
        EXPECT_EQ(stepsDone(layout(row(std::string("EE"), bad, 28.0, 12.0, 10.0))), 0);
    // A U core reads no C, an unknown family no B or C, but the legs need E.
    EXPECT_EQ(stepsDone(layout(row(std::string("UU"), 40.0, 28.0, null, 10.0))), 6);
    EXPECT_EQ(stepsDone(layout(row(std::string("XX"), 40.0, null, std::string("x"), 10.0))), 6);
    EXPECT_EQ(stepsDone(layout(row(std::string("XX"), 40.0, 28.0, 12.0, null))), 1);

    // W = 1.096 mm rounds to a usable width of -0.00 (1.1 mm, in the window
    // tests, to 0.00): no window scale, nothing to draw. W = 1.106 mm gives
    // 0.01.
    EXPECT_EQ(stepsDone(layout(row(std::string("EE"), 40.0, 14.192, 12.0, 10.0))), 4);
    EXPECT_EQ(*layout(row(std::string("EE"), 40.0, 14.212, 12.0, 10.0)).windowScale, 37500.0f);

    // W = 4.9975 mm: usable 3.8975 reads 3.90 and the scales use 3.90.
    const CoreWindowLayout rounded = layout(row(std::string("EE"), 40.0, 21.995, 12.0, 7.3333));
    EXPECT_EQ(*rounded.usableWidth, 3.90f);
    EXPECT_EQ(*rounded.usableHeight, 12.47f);
    EXPECT_FLOAT_EQ(*rounded.windowScale, 96.153846f);
    EXPECT_FLOAT_EQ(*rounded.pictureHeight, 1199.0385f);
}

// Turns and strands are drawn as bytes: floored, 0 to 255, else nothing.
TEST(CoreWindow, WindingCountFloorsToAByteOrNothing)
{
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, std::optional<std::uint8_t>> counts[] = {
        {0.0f, 0}, {-0.0f, 0}, {23.7f, 23}, {255.99f, 255}, {256.0f, std::nullopt}, {-0.25f, std::nullopt},
        {1e30f, std::nullopt}, {std::numeric_limits<float>::quiet_NaN(), std::nullopt}, {inf, std::nullopt},
        {-inf, std::nullopt}};
    for (const auto& [value, count] : counts)
        EXPECT_EQ(windingCount(value), count) << value;
}

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
        const auto counts = [](const WindingFit& f) {
            return std::tuple{f.turnsPerColumn, f.columns, f.turnsHeld, f.turnsNeeded, f.fits, !f.windingDepth};
        };
        EXPECT_EQ(counts(*fit), counts(*c.fit));
        EXPECT_NEAR(fit->utilisation, c.fit->utilisation, 1e-7);
        EXPECT_NEAR(fit->windingDepth.value_or(0), c.fit->windingDepth.value_or(0), 1e-6);
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

// The opening inputs (57.4 uH, 0.42 mm, 29 strands) on two cores of the
// bundled catalogue, worked by hand with the fit, fringing and copper
// formulas: EE42-21-15, 57.428570 uH, 13 turns of 29 × 0.41742066 mm on
// 1.78 cm², G = 2 E = 30.3 mm, two turns a column, 14 columns, 3.6219 mm
// deep; ETD29, 30 turns round a pole of pi × 9.5 mm, one a column, wound
// 30 × 0.51742066 mm deep. Then a core of no known family, and each readout
// without the results it needs.
TEST(DesignReadouts, TwoCoresOfTheCatalogueAndWhatIsMissing)
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
    // The fit, the fringed gap and the copper, with every result current,
    // then with no inductance, no turns or no strands.
    const DesignState ee42 = shownOn(1.78f).design.state;
    const auto present = [&](const CurrentResults& current) {
        const DesignReadouts r = readoutsOf(cores[0].core, {ee42, current, std::nullopt});
        return std::array{r.fit.has_value(), r.fringedGap.has_value(), r.copper.has_value()};
    };
    EXPECT_EQ(present({true, true, true, true, true, true}), (std::array{true, true, true}));
    EXPECT_EQ(present({true, false, true, true, true, true}), (std::array{true, false, true}));
    EXPECT_EQ(present({true, true, false, true, true, true}), (std::array{false, false, false}));
    EXPECT_EQ(present({true, true, true, true, true, false}), (std::array{false, true, false}));
}

} // namespace
} // namespace lout
