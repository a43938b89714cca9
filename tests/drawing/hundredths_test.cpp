#include "drawing/hundredths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lout {
namespace {

TEST(FixedTwoDecimals, RoundsHalfAwayFromZeroOnTheShownDigits)
{
    EXPECT_EQ(fixedTwoDecimals(6.9), "6.90");
    EXPECT_EQ(fixedTwoDecimals(20.0 - 2.2), "17.80");
    EXPECT_EQ(fixedTwoDecimals(-1.1), "-1.10");
    EXPECT_EQ(fixedTwoDecimals(0.0), "0.00");
    EXPECT_EQ(fixedTwoDecimals(2.675), "2.68");
    EXPECT_EQ(fixedTwoDecimals(1.005), "1.01");
    EXPECT_EQ(fixedTwoDecimals(0.125), "0.13");
    EXPECT_EQ(fixedTwoDecimals(-0.125), "-0.13");
    EXPECT_EQ(fixedTwoDecimals(0.005), "0.01");
    EXPECT_EQ(fixedTwoDecimals(0.0049), "0.00");
    EXPECT_EQ(fixedTwoDecimals(-0.004), "0.00");
    EXPECT_EQ(fixedTwoDecimals(0.00004), "0.00");
    EXPECT_EQ(fixedTwoDecimals(999.995), "1000.00");
    EXPECT_EQ(fixedTwoDecimals(9.999), "10.00");
    EXPECT_EQ(fixedTwoDecimals(123456.784), "123456.78");
    EXPECT_EQ(fixedTwoDecimals(1e20), "100000000000000000000.00");
}

TEST(FixedTwoDecimals, NonFiniteHasNoText)
{
    EXPECT_FALSE(fixedTwoDecimals(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(fixedTwoDecimals(std::numeric_limits<double>::infinity()));
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
