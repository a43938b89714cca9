#include "design/text/shown_texts.h"

#include "design/text/number_text.h"

#include <limits>

namespace lout {

ShownTexts shownTexts(const DesignResult& design)
{
    const DesignState s = producedValues(design);
    const float noLoad = std::numeric_limits<float>::quiet_NaN();
    return {{formatFixed(s.inductance, 1) + " uH", formatWhole(s.turns) + " 匝", formatFixed(s.airGap, 2) + " mm",
             formatFixed(s.wireDiameter, 2) + " mm", formatWhole(s.strands) + " 股",
             formatWhole(design.dummyLoad.value_or(noLoad)) + "Ω"},
            formatPercent(s.dutyRatio),
            formatPercent(s.rippleRatio)};
}

} // namespace lout
