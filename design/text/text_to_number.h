#pragma once

#include <string_view>

namespace lout {

// Reads the leading number of an input text the way the input boxes do:
// blanks, tabs and line feeds are dropped anywhere, an optional sign, '.' as
// the only decimal point, an exponent after E or D, &H / &O whole numbers.
// Text without a leading number gives 0. Never fails; may return +-inf.
// &H / &O digits are read as a non-negative whole number of any length
// (&HFFFF is 65535, not -1); a sign may stand before the '&'. The decimal
// reading is correctly rounded; a zero result is always +0.
double textToNumber(std::string_view text);

} // namespace lout
