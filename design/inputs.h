#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lout {

// The number of a voltage or current box as stored: the leading number of
// the text narrowed to single precision (too large a number becomes +-inf).
float numberFromText(std::string_view text);

// The frequency box holds kilohertz. `hertz` is what is stored (possibly
// +-inf); `ok` is false when the product overflowed single precision, in
// which case the recomputation must not run.
struct FrequencyInput {
    float hertz;
    bool ok;
};
FrequencyInput frequencyFromText(std::string_view kilohertzText);

// Ripple ratio from the scroll bar: value / minimum (minimum is 100).
float rippleFromScrollBar(std::int16_t minimum, std::int16_t value);

// The ripple, in whole per cent of the spinner, that a text typed into the
// ripple box stands for: its number read as the input boxes read it ("12.5%"
// is 12.5), rounded to a whole number and held to 0..100. Empty for a text
// whose number is not a number at all.
std::optional<int> rippleFromTypedText(std::string_view text);

// The dummy load: the load whose current equals the ripple current,
// Int(Uo / ripple / Io) in whole ohms, narrowed to single precision; empty
// when the division fails (no ripple or no current, overflow...).
std::optional<float> dummyLoad(float outputVoltage, float rippleRatio, float outputCurrent);

// Caption of lab_Pram(5) for a dummy load: whole-number text then "Ω".
std::string dummyLoadText(float ohms);

// Caption of lab_Pram(5) after a dummy-load computation: "--Ω" when the
// division failed, so no load is shown that the current inputs did not give.
std::string shownDummyLoad(const std::optional<float>& ohms);

} // namespace lout
