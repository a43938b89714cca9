#include "design/design_calculation.h"

#include "design/text/entered_design.h"
#include "design/text/input_text.h"
#include "design/text/shown_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>

namespace lout {
namespace {

using Labels = std::array<std::string, 5>;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float DesignState::*kInputs[] = {&DesignState::secondaryPeakVoltage, &DesignState::outputVoltage,
                                           &DesignState::outputCurrent, &DesignState::rippleRatio,
                                           &DesignState::coreArea, &DesignState::fluxDensity, &DesignState::frequency};

// The start-up design on a core of 1 cm²: the model chosen in an all-zero
// state, then each start-up input entered, six recomputations in all.
DesignResult startUp() { return startedWindow(1.0f).design; }

// The five results as the window shows them.
Labels shown(const DesignResult& design)
{
    const auto texts = shownTexts(design).results;
    return {texts[0], texts[1], texts[2], texts[3], texts[4]};
}

// The values stored, whether current or not.
Labels stored(const DesignState& s) { return shown({s, {true, true, true, true, true, true}, std::nullopt}); }

// D = 48 × 0.5 / 56 = 3/7; L = (56 - 48 - 1.3) V × 3/7 × 1e6 / (100 kHz ×
// 10 A × 5 %) = 57.43 uH; N = 6.7 × 3/7 / (1e5 × 0.05 × 0.25 T × 1 cm² ×
// 1e-4) = 22.97, rounded 23; gap 4 × 3.1416 × 23 × 10 A / (0.25 T × 10000)
// = 1.1561088 mm; the wire twice 0.066 mm / sqrt(0.1 MHz) = 0.417421 mm, and
// 10 A at 2.5 A/mm² needs 29.2 of them. The dummy load is 48 V / 5 % / 10 A
// floored, 95 Ω: 5 % in single precision lies a little above 0.05.
TEST(DesignCalculation, StartUpInputsGiveTheHandWorkedDesign)
{
    const DesignResult design = startUp();
    const ShownTexts texts = shownTexts(design);
    EXPECT_EQ(texts.results, (std::array<std::string, 6>{"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股", "95Ω"}));
    EXPECT_EQ(texts.dutyRatio, "43%");
    EXPECT_EQ(design.state.dutyRatio, static_cast<float>(3.0 / 7.0));
    EXPECT_NEAR(design.state.inductance, 57.43, 0.01);
    EXPECT_NEAR(design.state.airGap, 1.1561088, 1e-6);
    EXPECT_NEAR(design.state.wireDiameter, 0.417421, 1e-6);
}

// The first recomputation of start-up stores the NaN of 0 / 0 as the turns;
// until the ripple is set they fail and keep it, and the gap is not current.
TEST(DesignCalculation, AtStartUpTheTurnsWaitForTheRipple)
{
    const DesignResult first = afterEntering({}, 1.0f, {}).design; // the model chosen, nothing entered
    EXPECT_EQ(stored(first.state), (Labels{"-- uH", "-- 匝", "-- mm", "∞ mm", "0 股"}));
    EXPECT_TRUE(std::isnan(first.state.dutyRatio));
    EXPECT_TRUE(first.current.turns);
    const DesignResult beforeRipple = afterEntering({}, 1.0f, {"56", "48", "10", "100", 0}).design;
    EXPECT_TRUE(std::isnan(beforeRipple.state.turns));
    EXPECT_FALSE(beforeRipple.current.turns || beforeRipple.current.airGap);
    EXPECT_TRUE(beforeRipple.current.wireDiameter);
}

// A step that fails at one of its tests keeps the value of an earlier
// recomputation; what goes wrong after its last test is stored as it is.
// A kept value, and one worked out from a kept value, shows "--". The
// inputs are never written.
TEST(DesignCalculation, AFailedStepKeepsItsEarlierValue)
{
    const struct {
        const char* name;
        std::function<void(DesignState&)> change;
        Labels stored, shown;
        const char* dutyRatio = "43%";
    } cases[] = {
        // The turns divide by no flux swing and keep an earlier 17; the gap
        // is worked out from them. The inductance's division is not tested.
        {"no ripple", [](DesignState& s) { s.rippleRatio = 0; s.turns = 17; },
         {"∞ uH", "17 匝", "0.85 mm", "0.42 mm", "29 股"}, {"∞ uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}},
        // Nor are the gap's and the wire's.
        {"no flux density", [](DesignState& s) { s.fluxDensity = 0; },
         {"57.4 uH", "23 匝", "∞ mm", "0.42 mm", "29 股"}, {"57.4 uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}},
        {"no frequency", [](DesignState& s) { s.frequency = 0; },
         {"∞ uH", "23 匝", "1.16 mm", "∞ mm", "0 股"}, {"∞ uH", "-- 匝", "-- mm", "∞ mm", "0 股"}},
        // The square root fails: an earlier 1 mm wire is kept, 5.09 strands.
        {"-100 kHz", [](DesignState& s) { s.frequency = -100000; s.wireDiameter = 1; },
         {"-57.4 uH", "-23 匝", "-1.16 mm", "1.00 mm", "5 股"}, {"-57.4 uH", "-23 匝", "-1.16 mm", "-- mm", "-- 股"}},
        // inf - inf fails before the inductance and the turns are stored.
        {"infinite voltages", [](DesignState& s) { s.secondaryPeakVoltage = s.outputVoltage = kInf; },
         {"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股"}, {"-- uH", "-- 匝", "-- mm", "0.42 mm", "29 股"}, "--%"},
        // Fosc * Io is invalid: the inductance fails after the divisor. The
        // strands' 0 / 0 is not tested.
        {"infinite frequency, no current", [](DesignState& s) { s.frequency = kInf; s.outputCurrent = 0; },
         {"57.4 uH", "0 匝", "0.00 mm", "0.00 mm", "-- 股"}, {"-- uH", "0 匝", "0.00 mm", "0.00 mm", "-- 股"}},
        // -inf turns times no current fail before the gap is stored.
        {"no secondary voltage, no current", [](DesignState& s) { s.secondaryPeakVoltage = s.outputCurrent = 0; },
         {"-∞ uH", "-∞ 匝", "1.16 mm", "0.42 mm", "0 股"}, {"-∞ uH", "-∞ 匝", "-- mm", "0.42 mm", "0 股"}, "∞%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DesignState changed = startUp().state;
        c.change(changed);
        const DesignResult out = calculateDesign(changed);
        EXPECT_EQ(stored(out.state), c.stored);
        EXPECT_EQ(shown(out), c.shown);
        EXPECT_EQ(shownTexts(out).dutyRatio, c.dutyRatio);
        for (const auto input : kInputs)
            EXPECT_EQ(out.state.*input, changed.*input) << "the inputs are never written";
    }
}

// An input stored with no recomputation following it takes every result it
// feeds, and what is worked out from those; a result not current shows "--"
// (the duty ratio here, the others above).
TEST(DesignCalculation, AnInputStoredWithoutRecomputingTakesTheResultsItFeeds)
{
    // The duty ratio, inductance, turns, gap, wire and strands.
    const std::pair<ChangedInputs, ResultFlags> cases[] = {
        {{.secondaryPeakVoltage = true}, {false, false, false, false, true, true}},
        {{.outputVoltage = true}, {false, false, false, false, true, true}},
        {{.outputCurrent = true}, {true, false, true, false, true, false}},
        {{.rippleRatio = true}, {true, false, false, false, true, true}},
        {{.coreArea = true}, {true, true, false, false, true, true}},
        {{.fluxDensity = true}, {true, true, false, false, true, true}},
        {{.frequency = true}, {true, false, false, false, false, false}},
    };
    for (const auto& [changed, current] : cases)
        EXPECT_EQ(withoutRecomputing(startUp(), changed).current, current);
    EXPECT_EQ(shownTexts({startUp().state, {}, std::nullopt}).dutyRatio, "--%");
}

// A box's number is stored in single precision; the frequency box holds
// kilohertz, and a frequency too large for single precision (also one
// beyond the double range already) is stored as an infinity that no
// recomputation may use.
TEST(Inputs, NumbersAndFrequencyAsStored)
{
    // The text, its number, the frequency in hertz and whether it is usable.
    const std::tuple<const char*, float, float, bool> cases[] = {
        {"0.0001", 0.0001f, 0.1f, true}, {"3.4e35", 3.4e35f, 3.4e38f, true}, {"3.5e35", 3.5e35f, kInf, false},
        {"-3.5e35", -3.5e35f, -kInf, false}, {"1e306", kInf, kInf, false}, {"1e39", kInf, kInf, false},
        {"-1e400", -kInf, -kInf, false},
    };
    for (const auto& [text, number, hertz, usable] : cases) {
        EXPECT_EQ(numberFromText(text), number) << text;
        EXPECT_EQ(frequencyFromText(text).hertz, hertz) << text;
        EXPECT_EQ(frequencyFromText(text).ok, usable) << text;
    }
}

// Typed text is read as the boxes read it, rounded and held to the
// spinner's 0 to 100 %, a number beyond the double range too.
TEST(Inputs, TypedRippleIsRoundedAndHeldToTheSpinner)
{
    const std::pair<const char*, int> typed[] = {{"12.4", 12}, {"", 0}, {"1e400", 100}, {"-1e400", 0}, {"&H14", 20}};
    for (const auto& [text, percent] : typed)
        EXPECT_EQ(rippleFromTypedText(text), percent) << text;
}

// Uo / ripple / Io floored to whole ohms; "--Ω" where the division fails or
// its result is beyond single precision.
TEST(Inputs, DummyLoadText)
{
    const auto text = [](float uo, float r, float io) { return shownTexts({{}, {}, dummyLoad(uo, r, io)}).results[5]; };
    EXPECT_EQ(text(kInf, 0.05f, 10), "∞Ω");
    EXPECT_EQ(text(0, 0, 10), "--Ω");
    EXPECT_EQ(text(kInf, 0.05f, kInf), "--Ω");
    EXPECT_EQ(text(1e38f, 1e-38f, 1e-38f), "--Ω");
}

} // namespace
} // namespace lout
