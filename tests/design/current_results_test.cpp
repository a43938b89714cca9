#include "design/current_results.h"

#include "design/inputs.h"
#include "design/design_calculation.h"
#include "tests/design/design_fixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace lout {
namespace {

using test::startUpInputs;
using Labels = std::array<std::string, 5>;

constexpr float kInf = std::numeric_limits<float>::infinity();

// The start-up design, then one change and the recomputation that follows.
struct Case {
    const char* name;
    std::function<void(DesignState&)> change;
    Labels shown;
    const char* dutyRatio;
};

// What the window shows after each change: values the recomputation kept, or
// worked out from a kept value, read "--"; everything else as computed.
TEST(CurrentResults, KeptValuesAndWhatFollowsFromThemShowAsNotANumber)
{
    const std::vector<Case> cases = {
        {"nothing changed", [](DesignState&) {},
         {"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股"}, "43%"},
        // Turns keep the last value (the division fails), the gap follows them.
        {"no ripple", [](DesignState& s) { s.rippleRatio = 0; },
         {"∞ uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "43%"},
        {"no core area", [](DesignState& s) { s.coreArea = 0; },
         {"57.4 uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "43%"},
        {"no flux density", [](DesignState& s) { s.fluxDensity = 0; },
         {"57.4 uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "43%"},
        // The square root fails: the diameter is kept, the strands follow it.
        {"negative frequency", [](DesignState& s) { s.frequency = -100000; },
         {"-57.4 uH", "-23 匝", "-1.16 mm", "-- mm", "-- 股"}, "43%"},
        // Infinite and zero results that the inputs did produce stay shown.
        {"no current", [](DesignState& s) { s.outputCurrent = 0; },
         {"∞ uH", "23 匝", "0.00 mm", "0.42 mm", "0 股"}, "43%"},
        {"no frequency", [](DesignState& s) { s.frequency = 0; },
         {"∞ uH", "-- 匝", "-- mm", "∞ mm", "0 股"}, "43%"},
        {"no secondary voltage", [](DesignState& s) { s.secondaryPeakVoltage = 0; },
         {"-∞ uH", "-∞ 匝", "-∞ mm", "0.42 mm", "29 股"}, "∞%"},
        // inf - inf fails before the inductance is stored; the turns divide
        // a NaN and store it.
        {"infinite voltages", [](DesignState& s) { s.secondaryPeakVoltage = s.outputVoltage = kInf; },
         {"-- uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "--%"},
    };
    const DesignState designed = calculateDesign(startUpInputs()).state;
    for (const Case& c : cases) {
        DesignState changed = designed;
        c.change(changed);
        const DesignCalculation out = calculateDesign(changed);
        const CurrentResults current = resultsFromCurrentInputs(out.stored);
        EXPECT_EQ(shownResultTexts(out.state, current), c.shown) << c.name;
        EXPECT_EQ(shownDutyRatio(out.state, current), c.dutyRatio) << c.name;
    }
}

TEST(CurrentResults, AnInputStoredWithoutARecomputationTakesEverythingItFeeds)
{
    const DesignCalculation out = calculateDesign(startUpInputs());
    const auto shown = [&](const ChangedInputs& changed) {
        return shownResultTexts(out.state, resultsFromCurrentInputs(out.stored, changed));
    };
    // A frequency beyond the single range is stored but not computed with:
    // every result depends on it, the duty ratio does not.
    EXPECT_EQ(shown({.frequency = true}), (Labels{"-- uH", "-- 匝", "-- mm", "-- mm", "-- 股"}));
    EXPECT_EQ(shownDutyRatio(out.state, resultsFromCurrentInputs(out.stored, {.frequency = true})), "43%");
    EXPECT_EQ(shown({.outputCurrent = true}), (Labels{"-- uH", "23 匝", "-- mm", "0.42 mm", "-- 股"}));
    EXPECT_EQ(shown({.coreArea = true}), (Labels{"57.4 uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}));
    EXPECT_EQ(shown({.outputVoltage = true}), (Labels{"-- uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}));
    EXPECT_EQ(shownDutyRatio(out.state, resultsFromCurrentInputs(out.stored, {.secondaryPeakVoltage = true})),
              "--%");
    EXPECT_EQ(resultsFromCurrentInputs(out.stored, {}), (CurrentResults{true, true, true, true, true, true}));
}

// Start-up recomputes six times: the turns wait for the ripple (step 4
// keeps the NaN of the first run), and the sixth run shows everything.
TEST(CurrentResults, StartUpShowsTurnsOnlyOnceTheRippleIsSet)
{
    DesignState s;
    s.coreArea = 1.0f;
    s.fluxDensity = 0.25f;
    DesignCalculation out = calculateDesign(s);
    EXPECT_TRUE(resultsFromCurrentInputs(out.stored).turns); // the NaN of 0 / 0 was stored
    const DesignState target = startUpInputs();
    for (const auto input : {&DesignState::secondaryPeakVoltage, &DesignState::outputVoltage,
                             &DesignState::outputCurrent, &DesignState::frequency}) {
        s = out.state;
        s.*input = target.*input;
        out = calculateDesign(s);
        const CurrentResults current = resultsFromCurrentInputs(out.stored);
        EXPECT_FALSE(current.turns);
        EXPECT_FALSE(current.airGap);
        EXPECT_TRUE(current.wireDiameter);
    }
    s = out.state;
    s.rippleRatio = target.rippleRatio;
    out = calculateDesign(s);
    EXPECT_EQ(shownResultTexts(out.state, resultsFromCurrentInputs(out.stored)),
              (Labels{"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股"}));
}

TEST(CurrentResults, ADummyLoadThatCouldNotBeWorkedOutShowsNotANumber)
{
    EXPECT_EQ(shownDummyLoad(dummyLoad(48, 0.05f, 10)), "95Ω");
    EXPECT_EQ(shownDummyLoad(dummyLoad(48, 0, 10)), "--Ω");
    EXPECT_EQ(shownDummyLoad(dummyLoad(48, 0.05f, 0)), "--Ω");
}

} // namespace
} // namespace lout
