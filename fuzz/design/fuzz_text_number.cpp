// Any bytes typed or pasted into an input box: reading the number and
// writing it back in every pattern must neither crash nor hang.
#include "design/text/input_text.h"
#include "design/text/number_text.h"
#include "design/text/shown_texts.h"
#include "design/text/text_to_number.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double number = lout::textToNumber(text);
    if (std::isnan(number))
        std::abort(); // a text never reads as NaN

    const float stored = static_cast<float>(number);
    for (const double value : {number, static_cast<double>(stored)}) {
        const auto fixed1 = lout::formatFixed(value, 1);
        const auto fixed2 = lout::formatFixed(value, 2);
        const auto whole = lout::formatWhole(value);
        const auto percent = lout::formatPercent(value);
        if (fixed1.empty() || fixed2.empty() || whole.empty() || percent.empty())
            std::abort();
    }
    const auto frequency = lout::frequencyFromText(text);
    if (frequency.ok != std::isfinite(frequency.hertz))
        std::abort();
    lout::DesignState design;
    design.outputVoltage = stored;
    design.outputCurrent = 10;
    design.rippleRatio = 0.05f;
    if (lout::shownTexts(lout::calculateDesign(design)).results.back().empty())
        std::abort();
    return 0;
}
