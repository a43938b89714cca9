#include "design/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lout {
namespace {

TEST(FormatHundredths, RoundsHalfAwayFromZeroOnTheShownDigits)
{
    EXPECT_EQ(formatHundredths(6.9), "6.90");
    EXPECT_EQ(formatHundredths(20.0 - 2.2), "17.80");
    EXPECT_EQ(formatHundredths(-1.1), "-1.10");
    EXPECT_EQ(formatHundredths(0.0), "0.00");
    EXPECT_EQ(formatHundredths(2.675), "2.68");
    EXPECT_EQ(formatHundredths(1.005), "1.01");
    EXPECT_EQ(formatHundredths(0.125), "0.13");
    EXPECT_EQ(formatHundredths(-0.125), "-0.13");
    EXPECT_EQ(formatHundredths(0.005), "0.01");
    EXPECT_EQ(formatHundredths(0.0049), "0.00");
    EXPECT_EQ(formatHundredths(-0.004), "0.00");
    EXPECT_EQ(formatHundredths(0.00004), "0.00");
    EXPECT_EQ(formatHundredths(999.995), "1000.00");
    EXPECT_EQ(formatHundredths(9.999), "10.00");
    EXPECT_EQ(formatHundredths(123456.784), "123456.78");
    EXPECT_EQ(formatHundredths(1e20), "100000000000000000000.00");
}

TEST(FormatHundredths, NonFiniteHasNoText)
{
    EXPECT_FALSE(formatHundredths(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(formatHundredths(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(roundedToHundredths(-std::numeric_limits<double>::infinity()));
}

TEST(RoundedToHundredths, IsTheNumberTheTextReadsBackAs)
{
    EXPECT_EQ(roundedToHundredths(8.0 - 1.1), 6.9);
    EXPECT_EQ(roundedToHundredths(17.8049), 17.8);
    EXPECT_EQ(roundedToHundredths(-2.2), -2.2);
    EXPECT_EQ(roundedToHundredths(0.004), 0.0);
    EXPECT_EQ(roundedToHundredths(1.105), 1.11);
}

} // namespace
} // namespace lout
