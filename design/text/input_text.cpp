#include "design/text/input_text.h"

#include "design/step_arithmetic.h"
#include "design/text/text_to_number.h"

#include <algorithm>
#include <cmath>

namespace lout {

namespace {
constexpr double kHertzPerKilohertz = 1000;
} // namespace

float numberFromText(std::string_view text)
{
    // IEEE narrowing: a number too large for single precision becomes an
    // infinity of its sign, as every stored design value does.
    return static_cast<float>(textToNumber(text));
}

// Any frequency single precision cannot hold fails, also a text that was
// already beyond the double range (the product is then infinite without a
// new overflow, but the frequency is just as unusable).
FrequencyInput frequencyFromText(std::string_view kilohertzText)
{
    StepArithmetic f;
    const float hertz = f.narrow(f.mul(textToNumber(kilohertzText), kHertzPerKilohertz));
    return {hertz, !f.failed() && std::isfinite(hertz)};
}

std::optional<int> rippleFromTypedText(std::string_view text)
{
    const double typed = textToNumber(text);
    if (std::isnan(typed))
        return std::nullopt;
    // Held first to just beyond the range, so that no huge number is rounded.
    const double most = kMostRipplePercent;
    const double whole = std::floor(std::clamp(typed, -1.0, most + 1) + 0.5);
    return static_cast<int>(std::clamp(whole, 0.0, most));
}

} // namespace lout
