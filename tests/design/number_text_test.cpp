#include "design/text/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace lout {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The label patterns "0.0" and "0.00" (and 0 decimals for whole numbers).
TEST(NumberText, FixedPointRoundsTheExactBinaryValue)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {57.43, 1, "57.4"}, {1.1558, 2, "1.16"}, {0.41742, 2, "0.42"}, {0.1 + 0.2, 1, "0.3"},
        // 0.15 lies a little below the half in double, a little above in
        // single; 1.005 is 1.00499999999999989...
        {0.15, 1, "0.1"}, {0.15f, 1, "0.2"}, {1.005, 2, "1.00"},
        // Exact ties go away from zero.
        {0.125, 2, "0.13"}, {-0.125, 2, "-0.13"}, {0.25, 1, "0.3"}, {2.5, 0, "3"}, {-2.5, 0, "-3"},
        {9.999, 2, "10.00"}, {99.96, 1, "100.0"}, {0, 2, "0.00"}, {3, 1, "3.0"}, {0.004, 2, "0.00"},
        {1e-300, 2, "0.00"}, {std::numeric_limits<double>::denorm_min(), 1, "0.0"},
        {1e20, 2, "100000000000000000000.00"},
        // A negative value keeps its minus where its digits round to zero (a
        // "-0.0 uH" tells that the voltage is too low); negative zero has none.
        {-0.04, 1, "-0.0"}, {-0.004, 2, "-0.00"}, {-1e-300, 1, "-0.0"}, {-0.005, 2, "-0.01"}, {-0.0, 2, "0.00"},
        {kInf, 0, "∞"}, {-kInf, 1, "-∞"}, {kNaN, 2, "--"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.text) << c.value << " to " << c.decimals;
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::max(), 0).size(), 309u);
}

TEST(NumberText, WholeNumbersAndPercentages)
{
    const std::pair<double, const char*> whole[] = {
        {23, "23"}, {-23, "-23"}, {0, "0"}, {-0.0, "0"}, {16777217.0f, "16777216"}, {1e10f, "10000000000"},
        {std::numeric_limits<float>::max(), "340282346638528859811704183484516925440"},
        {-1e30f, "-1000000015047466219876688855040"}, {kInf, "∞"}, {-kInf, "-∞"}, {-kNaN, "--"}};
    for (const auto& [value, text] : whole)
        EXPECT_EQ(formatWhole(value), text) << value;
    // Int(x * 100 + 0.5); the minus of a negative value stays.
    const std::pair<double, const char*> percent[] = {
        {3.0f / 7.0f, "43%"}, {0.05f, "5%"}, {0.4f, "40%"}, {1, "100%"}, {0, "0%"}, {0.004, "0%"},
        {-0.004, "-0%"}, {-0.005, "-0%"}, {-0.0, "0%"}, {0.995, "100%"}, {-0.05, "-5%"}, {-0.056, "-6%"},
        {-0.055, "-5%"}, {12.345, "1235%"}, {kInf, "∞%"}, {-kInf, "-∞%"}, {kNaN, "--%"}, {1e307, "∞%"}};
    for (const auto& [fraction, text] : percent)
        EXPECT_EQ(formatPercent(fraction), text) << fraction;
}

// The usable window sizes round half away from zero on their 15-digit text,
// lose the minus of a value that rounds to zero and read back as that text.
TEST(NumberText, HundredthsOfTheWindowSizes)
{
    const std::pair<double, const char*> texts[] = {
        {6.9, "6.90"}, {20.0 - 2.2, "17.80"}, {-1.1, "-1.10"}, {0.0, "0.00"}, {2.675, "2.68"}, {1.005, "1.01"},
        {0.125, "0.13"}, {-0.125, "-0.13"}, {0.005, "0.01"}, {0.0049, "0.00"}, {-0.004, "0.00"},
        {0.00004, "0.00"}, {999.995, "1000.00"}, {9.999, "10.00"}, {123456.784, "123456.78"},
        {1e20, "100000000000000000000.00"}, {kNaN, nullptr}, {kInf, nullptr}};
    for (const auto& [value, text] : texts)
        EXPECT_EQ(formatHundredths(value), text ? std::optional<std::string>(text) : std::nullopt) << value;
    const std::pair<double, std::optional<double>> numbers[] = {
        {8.0 - 1.1, 6.9}, {17.8049, 17.8}, {-2.2, -2.2}, {0.004, 0.0}, {1.105, 1.11}, {-kInf, std::nullopt}};
    for (const auto& [value, number] : numbers)
        EXPECT_EQ(roundedToHundredths(value), number) << value;
}

} // namespace
} // namespace lout
