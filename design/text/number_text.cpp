#include "design/text/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace lout {
namespace {

// The significant digits of a value as the usable window sizes are shown.
constexpr int kShownSignificantDigits = 15;

// Texts shown instead of digits for values that have none.
constexpr std::string_view kInfinity = "∞";
constexpr std::string_view kNegativeInfinity = "-∞";
constexpr std::string_view kNotANumber = "--";

std::string nonFiniteText(double value)
{
    if (std::isnan(value))
        return std::string(kNotANumber);
    return std::string(value > 0 ? kInfinity : kNegativeInfinity);
}

// Number of decimal digits after the point needed to write |value| exactly:
// one per binary digit below the units place (at most 1074 for a double).
int exactFractionDigits(double magnitude)
{
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    const int lowestBit = std::max(exponent - std::numeric_limits<double>::digits, -1074);
    return std::max(0, -lowestBit);
}

// Adds one to a string of decimal digits, growing it when all were nines.
void incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

// The exact decimal expansion of the binary value is written first and then
// cut by hand, so ties are decided on the true value (half away from zero)
// rather than on an already rounded shorter text.
std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const auto shown = static_cast<std::size_t>(std::max(decimals, 0));
    const double magnitude = std::fabs(value);

    // 309 integer digits, a point and 1074 fraction digits at the most.
    std::array<char, 1400> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::fixed, exactFractionDigits(magnitude));
    const std::string_view exact(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));

    const std::size_t point = std::min(exact.find('.'), exact.size());
    const std::string_view fraction = point < exact.size() ? exact.substr(point + 1) : std::string_view{};
    std::string digits(exact.substr(0, point));
    digits.append(fraction.substr(0, std::min(shown, fraction.size())));
    digits.append(shown - std::min(shown, fraction.size()), '0');
    if (fraction.size() > shown && fraction[shown] >= '5')
        incrementDigits(digits);

    // A negative value keeps its minus even where its digits round to zero.
    std::string text = value < 0 ? "-" : "";
    text.append(digits, 0, digits.size() - shown);
    if (shown > 0) {
        text.push_back('.');
        text.append(digits, digits.size() - shown, shown);
    }
    return text;
}

std::string formatWhole(double value)
{
    return formatFixed(value, 0);
}

// The fraction in per cent, rounded to the nearest whole number with halves
// going up, as every count of the design is. A negative fraction that
// rounds to 0 still shows its minus.
std::string formatPercent(double fraction)
{
    const double whole = std::floor(fraction * 100 + 0.5);
    const std::string digits = formatWhole(whole);
    const bool minusLost = fraction < 0 && whole == 0;
    return (minusLost ? "-" : "") + digits + "%";
}

std::optional<std::string> formatHundredths(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;

    // 15 significant digits, as the value is shown: d.dddddddddddddde±x.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kShownSignificantDigits - 1, std::fabs(value));
    const std::string_view text(buffer);
    const std::size_t exponentAt = text.find('e');
    std::string digits;
    digits.reserve(kShownSignificantDigits);
    for (const char c : text.substr(0, exponentAt))
        if (c != '.')
            digits.push_back(c);
    const int exponent = std::atoi(buffer + exponentAt + 1);

    // The digit string stands for 0.d1d2... × 10^(exponent + 1). Keep the
    // digits down to the hundredths and round on the next one.
    const int kept = exponent + 1 + 2;
    std::string scaled; // value × 100 as a whole number, in decimal
    if (kept <= 0) {
        // One character assigned as a character: GCC 12 at -O3 takes the
        // assignment of a one-letter literal for an overlapping copy.
        scaled.assign(1, (kept == 0 && digits.front() >= '5') ? '1' : '0');
    } else if (kept >= kShownSignificantDigits) {
        scaled = digits + std::string(static_cast<std::size_t>(kept - kShownSignificantDigits), '0');
    } else {
        scaled = digits.substr(0, static_cast<std::size_t>(kept));
        if (digits[static_cast<std::size_t>(kept)] >= '5')
            incrementDigits(scaled);
    }
    if (scaled.size() < 3)
        scaled.insert(scaled.begin(), 3 - scaled.size(), '0');
    scaled.insert(scaled.end() - 2, '.');

    const bool isZero = scaled.find_first_not_of("0.") == std::string::npos;
    if (value < 0.0 && !isZero)
        scaled.insert(scaled.begin(), '-');
    return scaled;
}

std::optional<double> roundedToHundredths(double value)
{
    const auto text = formatHundredths(value);
    if (!text)
        return std::nullopt;
    // Read back independently of the process locale.
    double number = 0.0;
    std::from_chars(text->data(), text->data() + text->size(), number);
    return number;
}

} // namespace lout
