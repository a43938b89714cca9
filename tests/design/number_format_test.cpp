#include "design/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace lout {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FormatFixed, RoundsTheExactBinaryValue)
{
    EXPECT_EQ(formatFixed(57.43, 1), "57.4");
    EXPECT_EQ(formatFixed(1.1558, 2), "1.16");
    EXPECT_EQ(formatFixed(0.41742, 2), "0.42");
    // 0.15 is stored a little below the half in double, a little above in single.
    EXPECT_EQ(formatFixed(0.15, 1), "0.1");
    EXPECT_EQ(formatFixed(0.15f, 1), "0.2");
    EXPECT_EQ(formatFixed(1.005, 2), "1.00"); // 1.00499999999999989...
    EXPECT_EQ(formatFixed(0.1 + 0.2, 1), "0.3");
}

TEST(FormatFixed, ExactTiesGoAwayFromZero)
{
    EXPECT_EQ(formatFixed(0.125, 2), "0.13");
    EXPECT_EQ(formatFixed(-0.125, 2), "-0.13");
    EXPECT_EQ(formatFixed(0.25, 1), "0.3");
    EXPECT_EQ(formatFixed(2.5, 0), "3");
    EXPECT_EQ(formatFixed(-2.5, 0), "-3");
}

TEST(FormatFixed, CarriesAndDigitCounts)
{
    EXPECT_EQ(formatFixed(9.999, 2), "10.00");
    EXPECT_EQ(formatFixed(99.96, 1), "100.0");
    EXPECT_EQ(formatFixed(0, 2), "0.00");
    EXPECT_EQ(formatFixed(3, 1), "3.0");
    EXPECT_EQ(formatFixed(0.004, 2), "0.00");
    EXPECT_EQ(formatFixed(1e-300, 2), "0.00");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::denorm_min(), 1), "0.0");
    EXPECT_EQ(formatFixed(1e20, 2), "100000000000000000000.00");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::max(), 0).size(), 309u);
}

// A negative value keeps its minus also where its digits round to zero: a
// "-0.0 uH" tells the user the voltage is too low. Negative zero is no
// negative value.
TEST(FormatFixed, NegativeValuesThatRoundToZeroKeepTheirMinus)
{
    EXPECT_EQ(formatFixed(-0.04, 1), "-0.0");
    EXPECT_EQ(formatFixed(-0.004, 2), "-0.00");
    EXPECT_EQ(formatFixed(-1e-300, 1), "-0.0");
    EXPECT_EQ(formatFixed(-0.005, 2), "-0.01"); // -0.005000000000000000104...
    EXPECT_EQ(formatFixed(-0.0, 2), "0.00");
    EXPECT_EQ(formatWhole(-0.0), "0");
}

TEST(NumberTexts, NonFiniteValuesHaveTheirOwnTexts)
{
    for (const int decimals : {0, 1, 2}) {
        EXPECT_EQ(formatFixed(kInf, decimals), "∞");
        EXPECT_EQ(formatFixed(-kInf, decimals), "-∞");
        EXPECT_EQ(formatFixed(kNaN, decimals), "--");
    }
    EXPECT_EQ(formatWhole(kInf), "∞");
    EXPECT_EQ(formatWhole(-kInf), "-∞");
    EXPECT_EQ(formatWhole(-kNaN), "--");
    EXPECT_EQ(formatPercent(kInf), "∞%");
    EXPECT_EQ(formatPercent(-kInf), "-∞%");
    EXPECT_EQ(formatPercent(kNaN), "--%");
    EXPECT_EQ(formatPercent(1e307), "∞%"); // overflows when scaled
}

TEST(FormatWhole, ExactDigitsWithoutBlank)
{
    EXPECT_EQ(formatWhole(23), "23");
    EXPECT_EQ(formatWhole(-23), "-23");
    EXPECT_EQ(formatWhole(0), "0");
    EXPECT_EQ(formatWhole(-0.0), "0");
    EXPECT_EQ(formatWhole(16777217.0f), "16777216");
    EXPECT_EQ(formatWhole(1e10f), "10000000000");
    EXPECT_EQ(formatWhole(std::numeric_limits<float>::max()), "340282346638528859811704183484516925440");
    EXPECT_EQ(formatWhole(-1e30f), "-1000000015047466219876688855040");
}

TEST(FormatPercent, TimesHundredThenIntOfPlusHalf)
{
    EXPECT_EQ(formatPercent(3.0f / 7.0f), "43%");
    EXPECT_EQ(formatPercent(0.05f), "5%");
    EXPECT_EQ(formatPercent(0.4f), "40%");
    EXPECT_EQ(formatPercent(1), "100%");
    EXPECT_EQ(formatPercent(0), "0%");
    EXPECT_EQ(formatPercent(0.004), "0%");
    EXPECT_EQ(formatPercent(-0.004), "-0%"); // the minus of a negative value stays
    EXPECT_EQ(formatPercent(-0.005), "-0%");
    EXPECT_EQ(formatPercent(-0.0), "0%");
    EXPECT_EQ(formatPercent(0.995), "100%");
    EXPECT_EQ(formatPercent(-0.05), "-5%");
    EXPECT_EQ(formatPercent(-0.056), "-6%");
    EXPECT_EQ(formatPercent(-0.055), "-5%"); // Int(-5.5 + 0.5): ties up, not away
    EXPECT_EQ(formatPercent(12.345), "1235%");
}

} // namespace
} // namespace lout
