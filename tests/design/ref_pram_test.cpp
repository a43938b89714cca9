#include "design/ref_pram.h"

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

std::vector<std::string> labelsOf(const RefPramOutcome& outcome)
{
    std::vector<std::string> texts;
    for (const auto& label : outcome.labels)
        texts.push_back(label.value_or("<kept>"));
    return texts;
}

using Labels = std::vector<std::string>;

TEST(RefPramFigures, StartUpInputsGiveTheDefaultDesign)
{
    const RefPramOutcome out = refPram(startUpInputs());
    EXPECT_EQ(out.state.Dmax, static_cast<float>(48.0 * 0.5 / 56.0));
    EXPECT_EQ(formatPercent(out.state.Dmax), "43%");
    EXPECT_EQ(labelsOf(out), (Labels{"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股"}));
    EXPECT_NEAR(out.state.L_uH, 57.43, 0.01);
    EXPECT_EQ(out.state.N_Turn, 23.0f);
    EXPECT_NEAR(out.state.Gap_mm, 4 * 3.1416 * 23 * 10 / 2500.0, 1e-6);
    EXPECT_NEAR(out.state.Dia_mm, 0.132 / std::sqrt(0.1), 1e-6);
    EXPECT_EQ(out.state.N_Strand, 29.0f);
}

TEST(RefPramFigures, HalfTheCoreAreaDoublesTurnsAndGapOnly)
{
    DesignState in = startUpInputs();
    in.Ae = 0.5f;
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(labelsOf(out), (Labels{"57.4 uH", "46 匝", "2.31 mm", "0.42 mm", "29 股"}));
}

TEST(RefPramFigures, TenPercentRippleHalvesInductanceAndTurns)
{
    DesignState in = startUpInputs();
    in.Wave = rippleFromScrollBar(100, 10);
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(labelsOf(out), (Labels{"28.7 uH", "11 匝", "0.55 mm", "0.42 mm", "29 股"}));
}

TEST(RefPramFigures, TurnsFollowTheInductorVoltageAt60Volts)
{
    DesignState in = startUpInputs();
    in.U2m = numberFromText("60");
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(out.state.Dmax, 0.4f);
    EXPECT_EQ(labelsOf(out), (Labels{"85.6 uH", "34 匝", "1.71 mm", "0.42 mm", "29 股"}));
}

// mu0 * N^2 * Ae / gap must give back the inductance shown, whatever the
// secondary voltage: turns and gap describe the same inductor as L.
TEST(RefPramFigures, TurnsAndGapRealiseTheShownInductance)
{
    for (const float secondary : {52.0f, 56.0f, 60.0f, 80.0f, 120.0f, 400.0f}) {
        SCOPED_TRACE(secondary);
        DesignState in = startUpInputs();
        in.U2m = secondary;
        const DesignState out = refPram(in).state;
        const double mu0 = 4 * 3.1416e-7;
        const double henries = mu0 * out.N_Turn * out.N_Turn * (out.Ae * 1e-4) / (out.Gap_mm * 1e-3);
        EXPECT_NEAR(henries * 1e6 / out.L_uH, 1.0, 0.06);
    }
}

TEST(RefPramZeroInputs, NoCurrentGivesInfiniteInductanceAndNoStrands)
{
    DesignState in = refPram(startUpInputs()).state;
    in.Io = 0;
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(out.state.L_uH, kInf);
    EXPECT_EQ(out.state.N_Turn, 23.0f);
    EXPECT_EQ(labelsOf(out), (Labels{"∞ uH", "23 匝", "0.00 mm", "0.42 mm", "0 股"}));
}

TEST(RefPramZeroInputs, NoCurrentAndNoDutyGiveNaNInductance)
{
    DesignState in = refPram(startUpInputs()).state;
    in.Io = 0;
    in.Uo = 0; // Dmax 0: a zero volt-second product over a zero divisor
    const RefPramOutcome out = refPram(in);
    EXPECT_TRUE(std::isnan(out.state.L_uH));
    EXPECT_EQ(out.labels[0], "-- uH");
}

TEST(RefPramZeroInputs, NoRippleOrNoAreaKeepsThePreviousTurns)
{
    for (const bool zeroRipple : {true, false}) {
        SCOPED_TRACE(zeroRipple ? "Wave = 0" : "Ae = 0");
        DesignState in = refPram(startUpInputs()).state;
        in.N_Turn = 17; // left by an earlier call
        (zeroRipple ? in.Wave : in.Ae) = 0;
        const RefPramOutcome out = refPram(in);
        EXPECT_EQ(out.state.N_Turn, 17.0f);
        EXPECT_EQ(out.labels[1], "17 匝");
        EXPECT_EQ(out.labels[2], "0.85 mm"); // 4 * 3.1416 * 17 * 10 / 2500
    }
}

TEST(RefPramZeroInputs, NoFluxDensityKeepsTurnsAndGivesInfiniteGap)
{
    DesignState in = refPram(startUpInputs()).state;
    in.Bm = 0;
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(out.state.N_Turn, 23.0f);
    EXPECT_EQ(out.state.Gap_mm, kInf);
    EXPECT_EQ(out.labels[2], "∞ mm");
}

TEST(RefPramZeroInputs, NoFrequencyStoresInfiniteDiameterAndZeroStrands)
{
    DesignState in = refPram(startUpInputs()).state;
    in.Fosc = 0;
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(out.state.Dia_mm, kInf);
    EXPECT_EQ(out.state.N_Strand, 0.0f);
    EXPECT_EQ(out.labels[3], "∞ mm");
    EXPECT_EQ(out.labels[4], "0 股");
}

TEST(RefPramZeroInputs, NoSecondaryVoltageGivesSignedInfinities)
{
    DesignState in = refPram(startUpInputs()).state;
    in.U2m = 0;
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(out.state.Dmax, kInf);
    EXPECT_EQ(out.state.L_uH, -kInf);
    // The volt-seconds (0 - 48 - 1.3) * inf are negative, so turns and gap are too.
    EXPECT_EQ(out.state.N_Turn, -kInf);
    EXPECT_EQ(out.state.Gap_mm, -kInf);
    EXPECT_EQ(labelsOf(out), (Labels{"-∞ uH", "-∞ 匝", "-∞ mm", "0.42 mm", "29 股"}));
}

TEST(RefPramNegativeInputs, NegativeFrequencyKeepsDiameterAndNegatesTheRest)
{
    DesignState in = refPram(startUpInputs()).state;
    in.Fosc = frequencyFromText("-100").fosc;
    in.Dia_mm = 1.0f; // left by an earlier call; the square root fails
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(out.state.Dia_mm, 1.0f);
    // 10 A / 2.5 over the area of a 1 mm wire: 5.09 strands.
    EXPECT_EQ(labelsOf(out), (Labels{"-57.4 uH", "-23 匝", "-1.16 mm", "1.00 mm", "5 股"}));
}

TEST(RefPramNegativeInputs, SecondaryBelowOutputGivesNegativeInductance)
{
    DesignState in = startUpInputs();
    in.U2m = 40;
    const RefPramOutcome out = refPram(in);
    EXPECT_LT(out.state.L_uH, 0);
    EXPECT_EQ(out.labels[0]->front(), '-');
    EXPECT_EQ(out.labels[0], formatFixed(out.state.L_uH, 1) + " uH");
}

// A failure caught before the store keeps the previous value even where the
// same operands without the early test would have stored a non-finite one.
TEST(RefPramTestPoints, FailureBeforeTheStoreKeepsThePreviousValue)
{
    DesignState in = refPram(startUpInputs()).state;
    in.U2m = kInf;
    in.Uo = kInf; // inf - inf, caught right after the subtraction
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(out.state.L_uH, in.L_uH);
    EXPECT_EQ(out.state.N_Turn, in.N_Turn);
    EXPECT_TRUE(std::isnan(out.state.Dmax)); // step 1 has no test before its store

    DesignState zeroTimesInfinity = refPram(startUpInputs()).state;
    zeroTimesInfinity.Fosc = kInf;
    zeroTimesInfinity.Io = 0; // Fosc * Io is invalid: caught after the divisor
    const RefPramOutcome kept = refPram(zeroTimesInfinity);
    EXPECT_EQ(kept.state.L_uH, zeroTimesInfinity.L_uH);
    EXPECT_EQ(kept.labels[0], "57.4 uH");

    DesignState infiniteTurnsNoCurrent = refPram(startUpInputs()).state;
    infiniteTurnsNoCurrent.U2m = 0; // turns become -inf in step 4
    infiniteTurnsNoCurrent.Io = 0;  // and -inf * 0 is caught before the gap is stored
    const RefPramOutcome gapKept = refPram(infiniteTurnsNoCurrent);
    EXPECT_EQ(gapKept.state.N_Turn, -kInf);
    EXPECT_EQ(gapKept.state.Gap_mm, infiniteTurnsNoCurrent.Gap_mm);
    EXPECT_EQ(gapKept.labels[2], "1.16 mm");
}

TEST(RefPramTestPoints, LaterStepsReadWhatEarlierStepsStored)
{
    DesignState in = refPram(startUpInputs()).state;
    in.Dia_mm = 0; // a diameter never computed before
    in.Fosc = -1;  // and the square root fails again
    const RefPramOutcome out = refPram(in);
    EXPECT_EQ(out.state.Dia_mm, 0.0f);
    EXPECT_EQ(out.state.N_Strand, kInf); // 4 / 0, then inf + 0.5 does not fail
    EXPECT_EQ(out.labels[4], "∞ 股");
}

TEST(RefPramStartUp, SixRecomputationsFromAnAllZeroState)
{
    DesignState s; // zero, as when the window is created
    s.Ae = 1.0f;
    s.Bm = 0.25f;
    RefPramOutcome out = refPram(s);
    EXPECT_TRUE(std::isnan(out.state.Dmax));
    EXPECT_TRUE(std::isnan(out.state.L_uH));
    EXPECT_TRUE(std::isnan(out.state.N_Turn));
    EXPECT_TRUE(std::isnan(out.state.Gap_mm));
    EXPECT_EQ(out.state.Dia_mm, kInf);
    EXPECT_EQ(out.state.N_Strand, 0.0f);
    EXPECT_EQ(labelsOf(out), (Labels{"-- uH", "-- 匝", "-- mm", "∞ mm", "0 股"}));

    const DesignState target = startUpInputs();
    const std::vector<float DesignState::*> inputOrder = {
        &DesignState::U2m, &DesignState::Uo, &DesignState::Io, &DesignState::Fosc};
    for (const auto input : inputOrder) {
        s = out.state;
        s.*input = target.*input;
        out = refPram(s);
        EXPECT_TRUE(std::isnan(out.state.N_Turn)) << "turns must wait for the ripple";
        EXPECT_EQ(out.labels[1], "-- 匝");
    }
    EXPECT_EQ(out.state.Dia_mm, refPram(target).state.Dia_mm);

    s = out.state;
    s.Wave = target.Wave;
    out = refPram(s);
    const RefPramOutcome direct = refPram(target);
    EXPECT_EQ(labelsOf(out), labelsOf(direct));
    EXPECT_EQ(labelsOf(out), (Labels{"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股"}));
    for (const float v : {out.state.Dmax, out.state.L_uH, out.state.N_Turn, out.state.Gap_mm,
                          out.state.Dia_mm, out.state.N_Strand})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(out.state.L_uH, direct.state.L_uH);
    EXPECT_EQ(out.state.Gap_mm, direct.state.Gap_mm);
}

TEST(RefPramInputs, InputsAndCoreAreNeverWritten)
{
    const DesignState in = startUpInputs();
    const DesignState out = refPram(in).state;
    EXPECT_EQ(out.U2m, in.U2m);
    EXPECT_EQ(out.Uo, in.Uo);
    EXPECT_EQ(out.Io, in.Io);
    EXPECT_EQ(out.Wave, in.Wave);
    EXPECT_EQ(out.Ae, in.Ae);
    EXPECT_EQ(out.Bm, in.Bm);
    EXPECT_EQ(out.Fosc, in.Fosc);
}

TEST(RefPramLabels, EveryLabelIsWrittenEvenWhenResultsAreNotFinite)
{
    for (const float value : {0.0f, kInf, -kInf, std::numeric_limits<float>::quiet_NaN(), 1e38f, -1e-38f}) {
        DesignState in = startUpInputs();
        in.U2m = in.Uo = in.Io = in.Fosc = in.Wave = in.Ae = in.Bm = value;
        in.N_Turn = in.Dia_mm = in.N_Strand = value;
        const RefPramOutcome out = refPram(in);
        for (const auto& label : out.labels) {
            ASSERT_TRUE(label.has_value());
            EXPECT_EQ(label->find("inf"), std::string::npos) << *label;
            EXPECT_EQ(label->find("nan"), std::string::npos) << *label;
        }
    }
}

} // namespace
} // namespace lout
