#include "design/design_calculation.h"

#include "design/number_text.h"
#include "tests/design/design_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace lout {
namespace {

using test::startUpInputs;

constexpr float kInf = std::numeric_limits<float>::infinity();

// The texts the result labels show after the calculation.
std::vector<std::string> labelsOf(const DesignCalculation& outcome)
{
    const auto texts = resultTexts(outcome.state);
    return {texts.begin(), texts.end()};
}

using Labels = std::vector<std::string>;

TEST(DesignCalculationFigures, StartUpInputsGiveTheDefaultDesign)
{
    const DesignCalculation out = calculateDesign(startUpInputs());
    EXPECT_EQ(out.state.dutyRatio, static_cast<float>(48.0 * 0.5 / 56.0));
    EXPECT_EQ(formatPercent(out.state.dutyRatio), "43%");
    EXPECT_EQ(labelsOf(out), (Labels{"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股"}));
    EXPECT_NEAR(out.state.inductance, 57.43, 0.01);
    EXPECT_EQ(out.state.turns, 23.0f);
    EXPECT_NEAR(out.state.airGap, 4 * 3.1416 * 23 * 10 / 2500.0, 1e-6);
    EXPECT_NEAR(out.state.wireDiameter, 0.132 / std::sqrt(0.1), 1e-6);
    EXPECT_EQ(out.state.strands, 29.0f);
}

TEST(DesignCalculationFigures, HalfTheCoreAreaDoublesTurnsAndGapOnly)
{
    DesignState in = startUpInputs();
    in.coreArea = 0.5f;
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(labelsOf(out), (Labels{"57.4 uH", "46 匝", "2.31 mm", "0.42 mm", "29 股"}));
}

TEST(DesignCalculationFigures, TenPercentRippleHalvesInductanceAndTurns)
{
    DesignState in = startUpInputs();
    in.rippleRatio = rippleFromScrollBar(100, 10);
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(labelsOf(out), (Labels{"28.7 uH", "11 匝", "0.55 mm", "0.42 mm", "29 股"}));
}

TEST(DesignCalculationFigures, TurnsFollowTheInductorVoltageAt60Volts)
{
    DesignState in = startUpInputs();
    in.secondaryPeakVoltage = numberFromText("60");
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(out.state.dutyRatio, 0.4f);
    EXPECT_EQ(labelsOf(out), (Labels{"85.6 uH", "34 匝", "1.71 mm", "0.42 mm", "29 股"}));
}

// mu0 * N^2 * Ae / gap must give back the inductance shown, whatever the
// secondary voltage: turns and gap describe the same inductor as L.
TEST(DesignCalculationFigures, TurnsAndGapRealiseTheShownInductance)
{
    for (const float secondary : {52.0f, 56.0f, 60.0f, 80.0f, 120.0f, 400.0f}) {
        SCOPED_TRACE(secondary);
        DesignState in = startUpInputs();
        in.secondaryPeakVoltage = secondary;
        const DesignState out = calculateDesign(in).state;
        const double mu0 = 4 * 3.1416e-7;
        const double henries = mu0 * out.turns * out.turns * (out.coreArea * 1e-4) / (out.airGap * 1e-3);
        EXPECT_NEAR(henries * 1e6 / out.inductance, 1.0, 0.06);
    }
}

TEST(DesignCalculationZeroInputs, NoCurrentGivesInfiniteInductanceAndNoStrands)
{
    DesignState in = calculateDesign(startUpInputs()).state;
    in.outputCurrent = 0;
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(out.state.inductance, kInf);
    EXPECT_EQ(out.state.turns, 23.0f);
    EXPECT_EQ(labelsOf(out), (Labels{"∞ uH", "23 匝", "0.00 mm", "0.42 mm", "0 股"}));
}

TEST(DesignCalculationZeroInputs, NoCurrentAndNoDutyGiveNaNInductance)
{
    DesignState in = calculateDesign(startUpInputs()).state;
    in.outputCurrent = 0;
    in.outputVoltage = 0; // Dmax 0: a zero volt-second product over a zero divisor
    const DesignCalculation out = calculateDesign(in);
    EXPECT_TRUE(std::isnan(out.state.inductance));
    EXPECT_EQ(labelsOf(out)[0], "-- uH");
}

TEST(DesignCalculationZeroInputs, NoRippleOrNoAreaKeepsThePreviousTurns)
{
    for (const bool zeroRipple : {true, false}) {
        SCOPED_TRACE(zeroRipple ? "Wave = 0" : "Ae = 0");
        DesignState in = calculateDesign(startUpInputs()).state;
        in.turns = 17; // left by an earlier call
        (zeroRipple ? in.rippleRatio : in.coreArea) = 0;
        const DesignCalculation out = calculateDesign(in);
        EXPECT_EQ(out.state.turns, 17.0f);
        EXPECT_EQ(labelsOf(out)[1], "17 匝");
        EXPECT_EQ(labelsOf(out)[2], "0.85 mm"); // 4 * 3.1416 * 17 * 10 / 2500
    }
}

TEST(DesignCalculationZeroInputs, NoFluxDensityKeepsTurnsAndGivesInfiniteGap)
{
    DesignState in = calculateDesign(startUpInputs()).state;
    in.fluxDensity = 0;
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(out.state.turns, 23.0f);
    EXPECT_EQ(out.state.airGap, kInf);
    EXPECT_EQ(labelsOf(out)[2], "∞ mm");
}

TEST(DesignCalculationZeroInputs, NoFrequencyStoresInfiniteDiameterAndZeroStrands)
{
    DesignState in = calculateDesign(startUpInputs()).state;
    in.frequency = 0;
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(out.state.wireDiameter, kInf);
    EXPECT_EQ(out.state.strands, 0.0f);
    EXPECT_EQ(labelsOf(out)[3], "∞ mm");
    EXPECT_EQ(labelsOf(out)[4], "0 股");
}

TEST(DesignCalculationZeroInputs, NoSecondaryVoltageGivesSignedInfinities)
{
    DesignState in = calculateDesign(startUpInputs()).state;
    in.secondaryPeakVoltage = 0;
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(out.state.dutyRatio, kInf);
    EXPECT_EQ(out.state.inductance, -kInf);
    // The volt-seconds (0 - 48 - 1.3) * inf are negative, so turns and gap are too.
    EXPECT_EQ(out.state.turns, -kInf);
    EXPECT_EQ(out.state.airGap, -kInf);
    EXPECT_EQ(labelsOf(out), (Labels{"-∞ uH", "-∞ 匝", "-∞ mm", "0.42 mm", "29 股"}));
}

TEST(DesignCalculationNegativeInputs, NegativeFrequencyKeepsDiameterAndNegatesTheRest)
{
    DesignState in = calculateDesign(startUpInputs()).state;
    in.frequency = frequencyFromText("-100").hertz;
    in.wireDiameter = 1.0f; // left by an earlier call; the square root fails
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(out.state.wireDiameter, 1.0f);
    // 10 A / 2.5 over the area of a 1 mm wire: 5.09 strands.
    EXPECT_EQ(labelsOf(out), (Labels{"-57.4 uH", "-23 匝", "-1.16 mm", "1.00 mm", "5 股"}));
}

TEST(DesignCalculationNegativeInputs, SecondaryBelowOutputGivesNegativeInductance)
{
    DesignState in = startUpInputs();
    in.secondaryPeakVoltage = 40;
    const DesignCalculation out = calculateDesign(in);
    EXPECT_LT(out.state.inductance, 0);
    EXPECT_EQ(labelsOf(out)[0].front(), '-');
    EXPECT_EQ(labelsOf(out)[0], formatFixed(out.state.inductance, 1) + " uH");
}

// A failure caught before the store keeps the previous value even where the
// same operands without the early test would have stored a non-finite one.
TEST(DesignCalculationTestPoints, FailureBeforeTheStoreKeepsThePreviousValue)
{
    DesignState in = calculateDesign(startUpInputs()).state;
    in.secondaryPeakVoltage = kInf;
    in.outputVoltage = kInf; // inf - inf, caught right after the subtraction
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(out.state.inductance, in.inductance);
    EXPECT_EQ(out.state.turns, in.turns);
    EXPECT_TRUE(std::isnan(out.state.dutyRatio)); // step 1 has no test before its store

    DesignState zeroTimesInfinity = calculateDesign(startUpInputs()).state;
    zeroTimesInfinity.frequency = kInf;
    zeroTimesInfinity.outputCurrent = 0; // Fosc * Io is invalid: caught after the divisor
    const DesignCalculation kept = calculateDesign(zeroTimesInfinity);
    EXPECT_EQ(kept.state.inductance, zeroTimesInfinity.inductance);
    EXPECT_EQ(labelsOf(kept)[0], "57.4 uH");

    DesignState infiniteTurnsNoCurrent = calculateDesign(startUpInputs()).state;
    infiniteTurnsNoCurrent.secondaryPeakVoltage = 0; // turns become -inf in step 4
    infiniteTurnsNoCurrent.outputCurrent = 0;  // and -inf * 0 is caught before the gap is stored
    const DesignCalculation gapKept = calculateDesign(infiniteTurnsNoCurrent);
    EXPECT_EQ(gapKept.state.turns, -kInf);
    EXPECT_EQ(gapKept.state.airGap, infiniteTurnsNoCurrent.airGap);
    EXPECT_EQ(labelsOf(gapKept)[2], "1.16 mm");
}

TEST(DesignCalculationTestPoints, LaterStepsReadWhatEarlierStepsStored)
{
    DesignState in = calculateDesign(startUpInputs()).state;
    in.wireDiameter = 0; // a diameter never computed before
    in.frequency = -1;  // and the square root fails again
    const DesignCalculation out = calculateDesign(in);
    EXPECT_EQ(out.state.wireDiameter, 0.0f);
    EXPECT_EQ(out.state.strands, kInf); // 4 / 0, then inf + 0.5 does not fail
    EXPECT_EQ(labelsOf(out)[4], "∞ 股");
}

TEST(DesignCalculationStartUp, SixRecomputationsFromAnAllZeroState)
{
    DesignState s; // zero, as when the window is created
    s.coreArea = 1.0f;
    s.fluxDensity = 0.25f;
    DesignCalculation out = calculateDesign(s);
    EXPECT_TRUE(std::isnan(out.state.dutyRatio));
    EXPECT_TRUE(std::isnan(out.state.inductance));
    EXPECT_TRUE(std::isnan(out.state.turns));
    EXPECT_TRUE(std::isnan(out.state.airGap));
    EXPECT_EQ(out.state.wireDiameter, kInf);
    EXPECT_EQ(out.state.strands, 0.0f);
    EXPECT_EQ(labelsOf(out), (Labels{"-- uH", "-- 匝", "-- mm", "∞ mm", "0 股"}));

    const DesignState target = startUpInputs();
    const std::vector<float DesignState::*> inputOrder = {
        &DesignState::secondaryPeakVoltage, &DesignState::outputVoltage, &DesignState::outputCurrent,
        &DesignState::frequency};
    for (const auto input : inputOrder) {
        s = out.state;
        s.*input = target.*input;
        out = calculateDesign(s);
        EXPECT_TRUE(std::isnan(out.state.turns)) << "turns must wait for the ripple";
        EXPECT_EQ(labelsOf(out)[1], "-- 匝");
    }
    EXPECT_EQ(out.state.wireDiameter, calculateDesign(target).state.wireDiameter);

    s = out.state;
    s.rippleRatio = target.rippleRatio;
    out = calculateDesign(s);
    const DesignCalculation direct = calculateDesign(target);
    EXPECT_EQ(labelsOf(out), labelsOf(direct));
    EXPECT_EQ(labelsOf(out), (Labels{"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股"}));
    for (const float v : {out.state.dutyRatio, out.state.inductance, out.state.turns, out.state.airGap,
                          out.state.wireDiameter, out.state.strands})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(out.state.inductance, direct.state.inductance);
    EXPECT_EQ(out.state.airGap, direct.state.airGap);
}

TEST(DesignCalculationInputs, InputsAndCoreAreNeverWritten)
{
    const DesignState in = startUpInputs();
    const DesignState out = calculateDesign(in).state;
    EXPECT_EQ(out.secondaryPeakVoltage, in.secondaryPeakVoltage);
    EXPECT_EQ(out.outputVoltage, in.outputVoltage);
    EXPECT_EQ(out.outputCurrent, in.outputCurrent);
    EXPECT_EQ(out.rippleRatio, in.rippleRatio);
    EXPECT_EQ(out.coreArea, in.coreArea);
    EXPECT_EQ(out.fluxDensity, in.fluxDensity);
    EXPECT_EQ(out.frequency, in.frequency);
}

TEST(DesignCalculationLabels, EveryLabelIsWrittenEvenWhenResultsAreNotFinite)
{
    for (const float value : {0.0f, kInf, -kInf, std::numeric_limits<float>::quiet_NaN(), 1e38f, -1e-38f}) {
        DesignState in = startUpInputs();
        in.secondaryPeakVoltage = in.outputVoltage = in.outputCurrent = in.frequency = value;
        in.rippleRatio = in.coreArea = in.fluxDensity = value;
        in.turns = in.wireDiameter = in.strands = value;
        const DesignCalculation out = calculateDesign(in);
        for (const std::string& label : labelsOf(out)) {
            ASSERT_FALSE(label.empty());
            EXPECT_EQ(label.find("inf"), std::string::npos) << label;
            EXPECT_EQ(label.find("nan"), std::string::npos) << label;
        }
    }
}

} // namespace
} // namespace lout
