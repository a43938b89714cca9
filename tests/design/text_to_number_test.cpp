#include "design/text/text_to_number.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace lout {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Case {
    std::string text;
    double expected;
};

void expectAll(const std::vector<Case>& cases)
{
    for (const auto& c : cases) {
        const double got = textToNumber(c.text);
        EXPECT_EQ(got, c.expected) << "text \"" << c.text << "\"";
        EXPECT_FALSE(got == 0 && std::signbit(got)) << "text \"" << c.text << "\" gave a negative zero";
    }
}

TEST(TextToNumber, ReadsTheLeadingNumberAsTheInputBoxesDo)
{
    expectAll({
        {"48", 48}, {"12.5V", 12.5}, {"1e2", 100}, {"", 0}, {"abc", 0}, {"5%", 5}, {"1,5", 1}, {"100kHz", 100},
        {"62.5", 62.5}, {"1.2.3", 1.2}, {"x48", 0}, {"48x9", 48},
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
    expectAll({
        {std::string("1") + many('0'), kInf},
        {std::string("0.") + many('0') + "1", 0},
        {std::string("0.") + many('0') + "25e" + std::to_string(megabyte + 1), 2.5},
        {many(' ') + "7" + many('\n'), 7},
        {std::string("5") + many('x'), 5},
        {std::string("&H") + many('0') + "1F", 31},
        {std::string("1e") + many('9'), kInf},
    });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

} // namespace
} // namespace lout
