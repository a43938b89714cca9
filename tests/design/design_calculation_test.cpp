#include "design/design_calculation.h"

#include "design/text/input_text.h"
#include "design/text/shown_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace lout {
namespace {

using Labels = std::array<std::string, 5>;
constexpr float kInf = std::numeric_limits<float>::infinity();
const Labels kStartUpDesign{"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股"};

// The start-up inputs, stored the way the input handlers store them, with a
// core of 1.0 cm^2 at the design flux density.
DesignState startUpInputs()
{
    DesignState s;
    s.coreArea = 1.0f;
    s.fluxDensity = 0.25f;
    s.secondaryPeakVoltage = numberFromText("56");
    s.outputVoltage = numberFromText("48");
    s.outputCurrent = numberFromText("10");
    s.frequency = frequencyFromText("100").hertz;
    s.rippleRatio = rippleFromSpinner(100, 5);
    return s;
}

// The five results as the window shows them.
Labels shown(const DesignResult& design)
{
    const auto texts = shownTexts(design).results;
    return {texts[0], texts[1], texts[2], texts[3], texts[4]};
}

// The values stored, whether current or not.
Labels stored(const DesignState& s)
{
    constexpr ResultFlags kAll{true, true, true, true, true, true};
    return shown({s, kAll, std::nullopt});
}

std::array<float, 7> inputsOf(const DesignState& s)
{
    return {s.secondaryPeakVoltage, s.outputVoltage, s.outputCurrent, s.rippleRatio,
            s.coreArea, s.fluxDensity, s.frequency};
}

// The start-up design, then a change of the state and a recomputation (or an
// input stored with no recomputation following it). `stored` are the labels
// of the values in the state, `shown` what the window shows: values the
// recomputation kept, and values worked out from kept ones, read "--".
struct Case {
    const char* name;
    std::function<void(DesignState&)> change;
    ChangedInputs since;
    Labels shown;
    const char* dutyRatio;
    Labels stored = {}; // empty: as shown, or the start-up design where nothing changed
};

TEST(DesignCalculation, ResultsAndWhatTheWindowShowsAfterEachChange)
{
    const std::vector<Case> cases = {
        {"start-up inputs", nullptr, {}, kStartUpDesign, "43%"},
        {"Ae 0.5", [](DesignState& s) { s.coreArea = 0.5f; }, {},
         {"57.4 uH", "46 匝", "2.31 mm", "0.42 mm", "29 股"}, "43%"},
        {"ripple 10 %", [](DesignState& s) { s.rippleRatio = rippleFromSpinner(100, 10); }, {},
         {"28.7 uH", "11 匝", "0.55 mm", "0.42 mm", "29 股"}, "43%"},
        // The turns follow the voltage across the inductor, not a fixed 8 V.
        {"U2m 60 V", [](DesignState& s) { s.secondaryPeakVoltage = 60; }, {},
         {"85.6 uH", "34 匝", "1.71 mm", "0.42 mm", "29 股"}, "40%"},
        {"U2m below Uo", [](DesignState& s) { s.secondaryPeakVoltage = 40; }, {},
         {"-111.6 uH", "-45 匝", "-2.26 mm", "0.42 mm", "29 股"}, "60%"},
        // Infinite and zero results that the inputs do produce are shown.
        {"no current", [](DesignState& s) { s.outputCurrent = 0; }, {},
         {"∞ uH", "23 匝", "0.00 mm", "0.42 mm", "0 股"}, "43%"},
        {"no current, no duty", [](DesignState& s) { s.outputCurrent = s.outputVoltage = 0; }, {},
         {"-- uH", "0 匝", "0.00 mm", "0.42 mm", "0 股"}, "0%"},
        {"no secondary voltage", [](DesignState& s) { s.secondaryPeakVoltage = 0; }, {},
         {"-∞ uH", "-∞ 匝", "-∞ mm", "0.42 mm", "29 股"}, "∞%"},
        // The turns fail after the division and keep an earlier 17; the gap
        // is worked out from them but shown as "--".
        {"no ripple", [](DesignState& s) { s.rippleRatio = 0; s.turns = 17; }, {},
         {"∞ uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "43%",
         {"∞ uH", "17 匝", "0.85 mm", "0.42 mm", "29 股"}},
        {"no core area", [](DesignState& s) { s.coreArea = 0; s.turns = 17; }, {},
         {"57.4 uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "43%",
         {"57.4 uH", "17 匝", "0.85 mm", "0.42 mm", "29 股"}},
        {"no flux density", [](DesignState& s) { s.fluxDensity = 0; }, {},
         {"57.4 uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "43%",
         {"57.4 uH", "23 匝", "∞ mm", "0.42 mm", "29 股"}},
        {"no frequency", [](DesignState& s) { s.frequency = 0; }, {},
         {"∞ uH", "-- 匝", "-- mm", "∞ mm", "0 股"}, "43%",
         {"∞ uH", "23 匝", "1.16 mm", "∞ mm", "0 股"}},
        // The square root fails: an earlier 1 mm wire is kept, 5.09 strands;
        // a diameter never computed is kept too, 4 A over no copper.
        {"-100 kHz", [](DesignState& s) { s.frequency = -100000; s.wireDiameter = 1; }, {},
         {"-57.4 uH", "-23 匝", "-1.16 mm", "-- mm", "-- 股"}, "43%",
         {"-57.4 uH", "-23 匝", "-1.16 mm", "1.00 mm", "5 股"}},
        {"-100 kHz, no diameter yet", [](DesignState& s) { s.frequency = -100000; s.wireDiameter = 0; }, {},
         {"-57.4 uH", "-23 匝", "-1.16 mm", "-- mm", "-- 股"}, "43%",
         {"-57.4 uH", "-23 匝", "-1.16 mm", "0.00 mm", "∞ 股"}},
        // inf - inf fails before the inductance and the turns are stored.
        {"infinite voltages", [](DesignState& s) { s.secondaryPeakVoltage = s.outputVoltage = kInf; }, {},
         {"-- uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "--%", kStartUpDesign},
        // Fosc * Io is invalid: the inductance fails after the divisor.
        {"infinite frequency, no current", [](DesignState& s) { s.frequency = kInf; s.outputCurrent = 0; }, {},
         {"-- uH", "0 匝", "0.00 mm", "0.00 mm", "-- 股"}, "43%",
         {"57.4 uH", "0 匝", "0.00 mm", "0.00 mm", "-- 股"}},
        // -inf turns times no current fail before the gap is stored.
        {"no secondary voltage, no current", [](DesignState& s) { s.secondaryPeakVoltage = s.outputCurrent = 0; }, {},
         {"-∞ uH", "-∞ 匝", "-- mm", "0.42 mm", "0 股"}, "∞%",
         {"-∞ uH", "-∞ 匝", "1.16 mm", "0.42 mm", "0 股"}},
        // An input stored without a recomputation: every result it feeds.
        {"frequency beyond single", nullptr, {.frequency = true}, {"-- uH", "-- 匝", "-- mm", "-- mm", "-- 股"}, "43%"},
        {"output current", nullptr, {.outputCurrent = true}, {"-- uH", "23 匝", "-- mm", "0.42 mm", "-- 股"}, "43%"},
        {"core area", nullptr, {.coreArea = true}, {"57.4 uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "43%"},
        {"ripple", nullptr, {.rippleRatio = true}, {"-- uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "43%"},
        {"output voltage", nullptr, {.outputVoltage = true}, {"-- uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "--%"},
        {"secondary", nullptr, {.secondaryPeakVoltage = true}, {"-- uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "--%"},
    };
    const DesignState designed = calculateDesign(startUpInputs()).state;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DesignState changed = designed;
        if (c.change)
            c.change(changed);
        const DesignResult out = withoutRecomputing(calculateDesign(changed), c.since);
        EXPECT_EQ(stored(out.state), !c.stored[0].empty() ? c.stored : c.change ? c.shown : kStartUpDesign);
        EXPECT_EQ(shown(out), c.shown);
        EXPECT_EQ(shownTexts(out).dutyRatio, c.dutyRatio);
        EXPECT_EQ(inputsOf(out.state), inputsOf(changed)) << "the inputs are never written";
    }
    const DesignState out = calculateDesign(startUpInputs()).state;
    EXPECT_EQ(out.dutyRatio, static_cast<float>(3.0 / 7.0));
    EXPECT_NEAR(out.inductance, 57.43, 0.01);
    EXPECT_NEAR(out.airGap, 1.1561088, 1e-6); // 4 x 3.1416 x 23 turns x 10 A / (0.25 T x 10000)
    EXPECT_NEAR(out.wireDiameter, 0.132 / std::sqrt(0.1), 1e-6); // twice 0.066 mm at 0.1 MHz
}

// The window is created with every value zero; start-up stores the core and
// then each input in turn, recomputing every time. The turns wait for the
// ripple, the last recomputation gives what the start-up inputs give at once.
TEST(DesignCalculation, SixRecomputationsFromAnAllZeroState)
{
    DesignState s;
    s.coreArea = 1.0f;
    s.fluxDensity = 0.25f;
    DesignResult out = calculateDesign(s);
    EXPECT_EQ(stored(out.state), (Labels{"-- uH", "-- 匝", "-- mm", "∞ mm", "0 股"}));
    EXPECT_TRUE(std::isnan(out.state.dutyRatio));
    EXPECT_TRUE(out.current.turns); // the NaN of 0 / 0 was stored

    const DesignState target = startUpInputs();
    for (const auto input : {&DesignState::secondaryPeakVoltage, &DesignState::outputVoltage,
                             &DesignState::outputCurrent, &DesignState::frequency}) {
        s = out.state;
        s.*input = target.*input;
        out = calculateDesign(s);
        EXPECT_TRUE(std::isnan(out.state.turns)) << "the turns wait for the ripple";
        EXPECT_FALSE(out.current.turns || out.current.airGap);
        EXPECT_TRUE(out.current.wireDiameter);
    }
    s = out.state;
    s.rippleRatio = target.rippleRatio;
    out = calculateDesign(s);
    EXPECT_EQ(shown(out), kStartUpDesign);
    const DesignState direct = calculateDesign(target).state;
    for (const auto result : {&DesignState::dutyRatio, &DesignState::inductance, &DesignState::turns,
                              &DesignState::airGap, &DesignState::wireDiameter, &DesignState::strands})
        EXPECT_EQ(out.state.*result, direct.*result);
}

} // namespace
} // namespace lout
