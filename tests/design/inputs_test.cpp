#include "design/inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace lout {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(FrequencyInput, KilohertzBecomeHertz)
{
    EXPECT_EQ(frequencyFromText("100").hertz, 100000.0f);
    EXPECT_EQ(frequencyFromText("62.5").hertz, 62500.0f);
    EXPECT_EQ(frequencyFromText("100kHz").hertz, 100000.0f);
    EXPECT_EQ(frequencyFromText("-100").hertz, -100000.0f);
    EXPECT_EQ(frequencyFromText("0.0001").hertz, static_cast<float>(0.0001 * 1000));
    for (const char* text : {"100", "62.5", "", "abc", "-100", "3.4e35", "-3.4e35"})
        EXPECT_TRUE(frequencyFromText(text).ok) << text;
}

TEST(FrequencyInput, BeyondSinglePrecisionStoresInfinityAndFails)
{
    for (const auto& [text, stored] : {std::pair{"3.5e35", kInf}, std::pair{"-3.5e35", -kInf},
                                       std::pair{"1e306", kInf}, std::pair{"1e400", kInf},
                                       std::pair{"-1e400", -kInf}}) {
        const FrequencyInput input = frequencyFromText(text);
        EXPECT_FALSE(input.ok) << text;
        EXPECT_EQ(input.hertz, stored) << text;
    }
}

TEST(NumberInput, NarrowedToSinglePrecision)
{
    EXPECT_EQ(numberFromText("56"), 56.0f);
    EXPECT_EQ(numberFromText("0.1"), 0.1f);
    EXPECT_EQ(numberFromText("1e39"), kInf);
    EXPECT_EQ(numberFromText("-1e39"), -kInf);
    EXPECT_EQ(numberFromText(""), 0.0f);
}

TEST(Ripple, ValueOverMinimum)
{
    EXPECT_EQ(rippleFromScrollBar(100, 5), 0.05f);
    EXPECT_GT(static_cast<double>(rippleFromScrollBar(100, 5)), 0.05); // single 0.05 lies above
    EXPECT_EQ(rippleFromScrollBar(100, 100), 1.0f);
    EXPECT_EQ(rippleFromScrollBar(100, 0), 0.0f);
    EXPECT_EQ(rippleFromScrollBar(100, 1), 0.01f);
}

TEST(Ripple, TypedTextIsRoundedAndHeldToTheSpinnersRange)
{
    const std::pair<const char*, int> typed[] = {{"20", 20},   {"12.5%", 13}, {"12.4", 12}, {"150", 100},
                                                 {"-7", 0},    {"", 0},       {"abc", 0},   {"1e400", 100},
                                                 {"-1e400", 0}, {"&H14", 20}, {" 3 0 ", 30}};
    for (const auto& [text, percent] : typed)
        EXPECT_EQ(rippleFromTypedText(text), percent) << text;
}

TEST(DummyLoad, WholeOhmsForEveryRippleStep)
{
    const std::pair<int, const char*> expected[] = {{5, "95Ω"},  {10, "47Ω"}, {15, "31Ω"}, {20, "23Ω"},
                                                    {25, "19Ω"}, {50, "9Ω"},  {1, "480Ω"}, {100, "4Ω"}};
    for (const auto& [percent, text] : expected) {
        const auto ohms = dummyLoad(48, rippleFromScrollBar(100, static_cast<std::int16_t>(percent)), 10);
        ASSERT_TRUE(ohms.has_value()) << percent;
        EXPECT_EQ(dummyLoadText(*ohms), text) << percent << " %";
    }
}

TEST(DummyLoad, FailedDivisionGivesNoText)
{
    EXPECT_FALSE(dummyLoad(48, 0, 10).has_value());     // ripple 0 %
    EXPECT_FALSE(dummyLoad(48, 0.05f, 0).has_value());  // current box empty
    EXPECT_FALSE(dummyLoad(0, 0, 10).has_value());      // 0 / 0
    EXPECT_FALSE(dummyLoad(kInf, 0.05f, kInf).has_value());
    EXPECT_FALSE(dummyLoad(1e38f, 1e-38f, 1e-38f).has_value()); // beyond single range
}

TEST(DummyLoad, EdgeValuesStillShow)
{
    EXPECT_EQ(dummyLoad(0, 0.05f, 10), 0.0f);
    EXPECT_EQ(dummyLoadText(*dummyLoad(-48, 0.05f, 10)), "-96Ω"); // Int is floor: -95.99... gives -96
    EXPECT_EQ(dummyLoadText(*dummyLoad(kInf, 0.05f, 10)), "∞Ω");
}

} // namespace
} // namespace lout
