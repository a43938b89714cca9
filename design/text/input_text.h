#pragma once

#include <optional>
#include <string_view>

namespace lout {

// What the input boxes' texts stand for.

// The number of a voltage or current box as stored: the leading number of
// the text narrowed to single precision (too large a number becomes +-inf).
float numberFromText(std::string_view text);

// The frequency box holds kilohertz. `hertz` is what is stored (possibly
// +-inf); `ok` is false when the product is too large for single
// precision, in which case the design must not be recomputed with it.
struct FrequencyInput {
    float hertz;
    bool ok;
};
FrequencyInput frequencyFromText(std::string_view kilohertzText);

// The ripple spinner's top: the ripple in whole per cent runs from 0 to it.
inline constexpr int kMostRipplePercent = 100;

// The ripple, in whole per cent of the spinner, that a text typed into the
// ripple box stands for: its number read as the input boxes read it ("12.5%"
// is 12.5), rounded to a whole number and held to 0..100. Empty for a text
// whose number is not a number at all.
std::optional<int> rippleFromTypedText(std::string_view text);

} // namespace lout
