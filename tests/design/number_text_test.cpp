#include "catalogue/sanitized_build.h"
#include "design/text/number_text.h"
#include "design/text/text_to_number.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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
        // 0.15 lies a little below the half in double, a little above in
        // single; 1.005 is 1.00499999999999989...
        {0.1 + 0.2, 1, "0.3"}, {0.15, 1, "0.1"}, {0.15f, 1, "0.2"}, {1.005, 2, "1.00"},
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
        {-23, "-23"}, {0, "0"}, {-0.0, "0"}, {16777217.0f, "16777216"}, {1e10f, "10000000000"},
        {std::numeric_limits<float>::max(), "340282346638528859811704183484516925440"},
        {-1e30f, "-1000000015047466219876688855040"}, {kInf, "∞"}, {-kInf, "-∞"}, {-kNaN, "--"}};
    for (const auto& [value, text] : whole)
        EXPECT_EQ(formatWhole(value), text) << value;
    // Int(x * 100 + 0.5); the minus of a negative value stays.
    const std::pair<double, const char*> percent[] = {
        {0.4f, "40%"}, {1, "100%"}, {0, "0%"}, {0.004, "0%"}, {-0.004, "-0%"}, {-0.005, "-0%"}, {-0.0, "0%"},
        {0.995, "100%"}, {-0.05, "-5%"}, {-0.056, "-6%"}, {-0.055, "-5%"}, {12.345, "1235%"}, {kInf, "∞%"},
        {-kInf, "-∞%"}, {kNaN, "--%"}, {1e307, "∞%"}};
    for (const auto& [fraction, text] : percent)
        EXPECT_EQ(formatPercent(fraction), text) << fraction;
}

// The usable window sizes round half away from zero on their 15-digit text,
// lose the minus of a value that rounds to zero and read back as that text.
TEST(NumberText, HundredthsOfTheWindowSizes)
{
    const std::pair<double, const char*> texts[] = {
        {0.0, "0.00"}, {2.675, "2.68"}, {1.005, "1.01"}, {0.125, "0.13"}, {-0.125, "-0.13"}, {0.005, "0.01"},
        {0.0049, "0.00"}, {-0.004, "0.00"}, {0.00004, "0.00"}, {999.995, "1000.00"}, {9.999, "10.00"},
        {123456.784, "123456.78"}, {1e20, "100000000000000000000.00"}, {kNaN, nullptr}, {kInf, nullptr}};
    for (const auto& [value, text] : texts)
        EXPECT_EQ(formatHundredths(value), text ? std::optional<std::string>(text) : std::nullopt) << value;
    const std::pair<double, std::optional<double>> numbers[] = {
        {17.8049, 17.8}, {0.004, 0.0}, {1.105, 1.11}, {-kInf, std::nullopt}};
    for (const auto& [value, number] : numbers)
        EXPECT_EQ(roundedToHundredths(value), number) << value;
}

// Each text reads as its number, and never as a negative zero.
void expectAll(const std::vector<std::pair<std::string, double>>& cases)
{
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(textToNumber(text), number) << "text \"" << text << "\"";
        EXPECT_FALSE(std::signbit(textToNumber(text)) && number == 0) << "text \"" << text << "\"";
    }
}

TEST(TextToNumber, ReadsTheLeadingNumberAsTheInputBoxesDo)
{
    expectAll({
        {"12.5V", 12.5}, {"1e2", 100}, {"", 0}, {"abc", 0}, {"5%", 5}, {"1,5", 1}, {"1.2.3", 1.2}, {"x48", 0},
        {"48x9", 48},
        // Signs and points.
        {"+5", 5}, {"-5", -5}, {"-", 0}, {"+", 0}, {"--5", 0}, {"+-5", 0}, {"-0", 0}, {".5", 0.5},
        {"-.5", -0.5}, {"5.", 5}, {".", 0}, {"-.", 0}, {"0.1", 0.1},
        // Blanks, tabs and line breaks are dropped anywhere.
        {" 4 8 ", 48}, {"\t1\n2\r3", 123}, {"  -  1 2 . 5", -12.5}, {"1 e 2", 100}, {"   ", 0}, {"1\t.\t5", 1.5},
        // An exponent after E or D, only with digits.
        {"1E2", 100}, {"1D2", 100}, {"1d2", 100}, {"1e+2", 100}, {"1e-2", 0.01}, {"2.5E-1", 0.25}, {"1e", 1},
        {"1e+", 1}, {"1e-", 1}, {"1d", 1}, {"1ex", 1}, {"e5", 0}, {".e5", 0}, {"1e2e3", 100}, {"0e999999", 0},
        // Beyond the double range.
        {"1e400", kInf}, {"-1e400", -kInf}, {"1e-400", 0}, {"-1e-400", 0}, {"1e99999999999999999999999999", kInf},
        {"1e-99999999999999999999999999", 0}, {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"1.8e308", kInf}, {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        // &H and &O whole numbers of any length, never negative by themselves.
        {"&HFF", 255}, {"&hff", 255}, {"&H", 0}, {"&HG", 0}, {"&O17", 15}, {"&o17", 15}, {"&O", 0}, {"&O8", 0},
        {"&O777", 511}, {"&", 0}, {"&X1", 0}, {"&HFFFF", 65535}, {"-&H10", -16}, {"&H1.5", 1}, {"& H 1 0", 16},
        {"&H0000000000000000000000001", 1}, {"&H10000000000000000", 18446744073709551616.0},
        {"&O1000000000000000000000", 0x1p63}, {"&H" + std::string(300, 'F'), kInf},
        {"&O1" + std::string(400, '0'), kInf}, {"&H1" + std::string(255, '0'), 0x1p1020},
        {"&H1" + std::string(256, '0'), kInf},
        // Correctly rounded, also with digits far beyond what a double
        // holds and ties decided by a digit far to the right.
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"0." + std::string(999, '3'), 1.0 / 3}, {"9007199254740993", 9007199254740992.0},
        {"9007199254740993." + std::string(900, '0') + "1", 9007199254740994.0},
        {"0." + std::string(1000, '0') + "1e1005", 10000},
    });
}

TEST(TextToNumber, MegabyteInputsAreReadQuickly)
{
    const std::size_t megabyte = 1 << 20;
    const auto start = std::chrono::steady_clock::now();
    // Built with std::string on the left: a literal in front of a temporary
    // string makes GCC 12 at -O3 warn of an overlapping copy.
    const auto many = [megabyte](char c) { return std::string(megabyte, c); };
    expectAll({{std::string("1") + many('0'), kInf}, {std::string("0.") + many('0') + "1", 0},
               {std::string("0.") + many('0') + "25e" + std::to_string(megabyte + 1), 2.5},
               {many(' ') + "7" + many('\n'), 7}, {std::string("5") + many('x'), 5},
               {std::string("&H") + many('0') + "1F", 31}, {std::string("1e") + many('9'), kInf}});
    // Reading that grew with the square of the length would take hours here.
    // The unoptimised sanitizer build reads these in about 1.4 s on an idle
    // machine, so it is given ten times the optimised build's two seconds.
#ifdef LOUT_SANITIZED
    const auto limit = std::chrono::seconds(20);
#else
    const auto limit = std::chrono::seconds(2);
#endif
    EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
}

} // namespace
} // namespace lout
