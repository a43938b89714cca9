#include "design/text/input_text.h"

#include "design/text/shown_texts.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace lout {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// A box's number is stored in single precision; the frequency box holds
// kilohertz, and a frequency too large for single precision is stored as
// an infinity that no recomputation may use.
TEST(Inputs, NumbersAndFrequencyAsStored)
{
    const struct {
        const char* text;
        float number;
        float hertz;
        bool usable;
    } cases[] = {
        {"56", 56, 56000, true}, {"62.5", 62.5f, 62500, true}, {"100kHz", 100, 100000, true},
        {"-100", -100, -100000, true}, {"0.1", 0.1f, 100, true}, {"0.0001", 0.0001f, 0.1f, true},
        {"", 0, 0, true}, {"abc", 0, 0, true}, {"3.4e35", 3.4e35f, 3.4e38f, true},
        {"-3.4e35", -3.4e35f, -3.4e38f, true}, {"3.5e35", 3.5e35f, kInf, false},
        {"-3.5e35", -3.5e35f, -kInf, false}, {"1e306", kInf, kInf, false}, {"1e39", kInf, kInf, false},
        {"-1e39", -kInf, -kInf, false}, {"1e400", kInf, kInf, false}, {"-1e400", -kInf, -kInf, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberFromText(c.text), c.number) << c.text;
        const FrequencyInput frequency = frequencyFromText(c.text);
        EXPECT_EQ(frequency.hertz, c.hertz) << c.text;
        EXPECT_EQ(frequency.ok, c.usable) << c.text;
    }
}

TEST(Inputs, RippleFromTheScrollBarAndFromTypedText)
{
    EXPECT_EQ(rippleFromSpinner(100, 5), 0.05f);
    EXPECT_EQ(rippleFromSpinner(100, 100), 1.0f);
    EXPECT_EQ(rippleFromSpinner(100, 0), 0.0f);
    // Typed text is rounded and held to the spinner's 0 to 100 %.
    const std::pair<const char*, int> typed[] = {{"20", 20}, {"12.5%", 13}, {"12.4", 12}, {"150", 100},
                                                 {"-7", 0}, {"", 0}, {"abc", 0}, {"1e400", 100},
                                                 {"-1e400", 0}, {"&H14", 20}, {" 3 0 ", 30}};
    for (const auto& [text, percent] : typed)
        EXPECT_EQ(rippleFromTypedText(text), percent) << text;
}

// Uo / ripple / Io floored to whole ohms; "--Ω" where the division fails.
TEST(Inputs, DummyLoadText)
{
    const auto percent = [](int p) { return rippleFromSpinner(100, static_cast<std::int16_t>(p)); };
    const struct {
        float outputVoltage, rippleRatio, outputCurrent;
        const char* text;
    } cases[] = {
        {48, percent(5), 10, "95Ω"}, {48, percent(10), 10, "47Ω"}, {48, percent(15), 10, "31Ω"},
        {48, percent(20), 10, "23Ω"}, {48, percent(25), 10, "19Ω"}, {48, percent(50), 10, "9Ω"},
        {48, percent(1), 10, "480Ω"}, {48, percent(100), 10, "4Ω"}, {0, 0.05f, 10, "0Ω"},
        {-48, 0.05f, 10, "-96Ω"}, {kInf, 0.05f, 10, "∞Ω"}, {48, 0, 10, "--Ω"}, {48, 0.05f, 0, "--Ω"},
        {0, 0, 10, "--Ω"}, {kInf, 0.05f, kInf, "--Ω"}, {1e38f, 1e-38f, 1e-38f, "--Ω"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shownTexts({{}, {}, dummyLoad(c.outputVoltage, c.rippleRatio, c.outputCurrent)}).results[5], c.text)
            << c.outputVoltage << " V, " << c.rippleRatio << ", " << c.outputCurrent << " A";
}

} // namespace
} // namespace lout
