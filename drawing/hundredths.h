#pragma once

#include <optional>
#include <string>

namespace lout {

// `value` written with the pattern "0.00": at least one digit before the
// point, exactly two after, rounded half away from zero on its 15-digit
// decimal form (so 2.675 gives "2.68" although its binary value lies just
// below). Nothing for a non-finite value.
std::optional<std::string> fixedTwoDecimals(double value);

// The number that text reads back as: `value` rounded to hundredths the way
// the usable window sizes are.
std::optional<double> roundedToHundredths(double value);

} // namespace lout
