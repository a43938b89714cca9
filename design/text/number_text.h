#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lout {

// Fixed-point text with `decimals` digits after the point ("0.0", "0.00").
// A negative value has a leading minus, also where it rounds to zero
// ("-0.0"). Non-finite values give "∞", "-∞" or "--".
std::string formatFixed(double value, int decimals);

// The value times 100, rounded to a whole number, then "%" ("0%"); a
// negative value keeps its minus ("-0%").
std::string formatPercent(double fraction);

// Decimal digits of a whole number, no leading blank, '-' for negatives.
std::string formatWhole(double value);

// `value` in the pattern "0.00" the way the core drawing's usable sizes are
// written: rounded half away from zero on its 15-digit decimal form (so
// 2.675 gives "2.68" although its binary value lies just below), no minus
// on a value that rounds to zero. Nothing for a non-finite value.
std::optional<std::string> formatHundredths(double value);

// The number that text reads back as: `value` rounded to hundredths the way
// the usable window sizes are.
std::optional<double> roundedToHundredths(double value);

} // namespace lout
