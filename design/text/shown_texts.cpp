#include "design/text/shown_texts.h"

#include "design/text/number_text.h"

#include <limits>

namespace lout {

namespace {

constexpr float kNotANumber = std::numeric_limits<float>::quiet_NaN();

float shown(float value, bool current)
{
    return current ? value : kNotANumber;
}

} // namespace

ShownTexts shownTexts(const DesignResult& design)
{
    const DesignState& s = design.state;
    const CurrentResults& current = design.current;
    return {{formatFixed(shown(s.inductance, current.inductance), 1) + " uH",
             formatWhole(shown(s.turns, current.turns)) + " 匝",
             formatFixed(shown(s.airGap, current.airGap), 2) + " mm",
             formatFixed(shown(s.wireDiameter, current.wireDiameter), 2) + " mm",
             formatWhole(shown(s.strands, current.strands)) + " 股",
             formatWhole(design.dummyLoad.value_or(kNotANumber)) + "Ω"},
            formatPercent(shown(s.dutyRatio, current.dutyRatio)),
            formatPercent(s.rippleRatio)};
}

} // namespace lout
