#include "design/inputs.h"

#include "design/number_text.h"
#include "design/step_arithmetic.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lout {

namespace {
constexpr double kHertzPerKilohertz = 1000;
constexpr double kMostRipplePercent = 100;
} // namespace

float numberFromText(std::string_view text)
{
    // IEEE narrowing: a number beyond the single range becomes an infinity
    // of its sign, as every stored design value does.
    return static_cast<float>(textToNumber(text));
}

// Any frequency the single range cannot hold fails, also a text that was
// already beyond the double range (the product is then infinite without a
// new overflow, but the frequency is just as unusable).
FrequencyInput frequencyFromText(std::string_view kilohertzText)
{
    StepArithmetic f;
    const float hertz = f.narrow(f.mul(textToNumber(kilohertzText), kHertzPerKilohertz));
    return {hertz, !f.failed() && std::isfinite(hertz)};
}

float rippleFromScrollBar(std::int16_t minimum, std::int16_t value)
{
    return static_cast<float>(static_cast<double>(value) / static_cast<double>(minimum));
}

std::optional<int> rippleFromTypedText(std::string_view text)
{
    const double typed = textToNumber(text);
    if (std::isnan(typed))
        return std::nullopt;
    // Held first to just beyond the range, so that no huge number is rounded.
    const double whole = std::floor(std::clamp(typed, -1.0, kMostRipplePercent + 1) + 0.5);
    return static_cast<int>(std::clamp(whole, 0.0, kMostRipplePercent));
}

std::optional<float> dummyLoad(float outputVoltage, float rippleRatio, float outputCurrent)
{
    StepArithmetic f;
    const double ohms = f.div(f.div(outputVoltage, rippleRatio), outputCurrent);
    if (f.failed())
        return std::nullopt;
    const float whole = f.narrow(StepArithmetic::floor(ohms));
    if (f.failed())
        return std::nullopt; // beyond the single range
    return whole;
}

std::string dummyLoadText(float ohms)
{
    return formatWhole(ohms) + "Ω";
}

std::string shownDummyLoad(const std::optional<float>& ohms)
{
    return dummyLoadText(ohms.value_or(std::numeric_limits<float>::quiet_NaN()));
}

} // namespace lout
