#include "drawing/hundredths.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace lout {

namespace {

constexpr int significantDigits = 15;

// Adds one to a string of decimal digits; returns false on carry out.
bool incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

} // namespace

std::optional<std::string> fixedTwoDecimals(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;

    // 15 significant digits, as the value is shown: d.dddddddddddddde±x.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, std::fabs(value));
    const std::string_view text(buffer);
    const std::size_t exponentAt = text.find('e');
    std::string digits;
    digits.reserve(significantDigits);
    for (const char c : text.substr(0, exponentAt))
        if (c != '.')
            digits.push_back(c);
    const int exponent = std::atoi(buffer + exponentAt + 1);

    // The digit string stands for 0.d1d2... × 10^(exponent + 1). Keep the
    // digits down to the hundredths and round on the next one.
    const int kept = exponent + 1 + 2;
    std::string scaled; // value × 100 as a whole number, in decimal
    if (kept <= 0) {
        scaled = (kept == 0 && digits.front() >= '5') ? "1" : "0";
    } else if (kept >= significantDigits) {
        scaled = digits + std::string(static_cast<std::size_t>(kept - significantDigits), '0');
    } else {
        scaled = digits.substr(0, static_cast<std::size_t>(kept));
        if (digits[static_cast<std::size_t>(kept)] >= '5' && !incrementDigits(scaled))
            scaled.insert(scaled.begin(), '1');
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
    const auto text = fixedTwoDecimals(value);
    if (!text)
        return std::nullopt;
    // Read back independently of the process locale.
    double number = 0.0;
    std::from_chars(text->data(), text->data() + text->size(), number);
    return number;
}

} // namespace lout
