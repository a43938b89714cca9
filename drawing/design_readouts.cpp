#include "drawing/design_readouts.h"

#include "design/text/number_text.h"

namespace lout {

namespace {

constexpr double milliohmsPerOhm = 1000;

} // namespace

DesignReadouts readoutsOf(const CoreDimensions& core, const DesignResult& result)
{
    const DesignState& design = result.state;
    const CurrentResults& current = result.current;
    DesignReadouts readouts;
    const std::optional<WindingWindow> window = windingWindowOf(core);
    if (!window)
        return readouts;
    readouts.windowArea = static_cast<double>(window->width) * window->height;

    const double turns = design.turns;
    if (current.inductance && current.turns)
        readouts.fringedGap = fringingCorrectedGap(design.inductance, turns, design.coreArea, window->height);
    if (!(current.turns && current.wireDiameter && current.strands))
        return readouts;
    readouts.fit = fitWinding(*window, {turns, design.strands, design.wireDiameter});
    const std::optional<double> perimeter = centreLegPerimeter(core);
    if (readouts.fit && readouts.fit->windingDepth && perimeter)
        readouts.copper = windingCopper(*perimeter, *readouts.fit->windingDepth, turns, design.strands,
                                        design.wireDiameter, design.outputCurrent);
    return readouts;
}

std::string windingFitText(const std::optional<WindingFit>& fit)
{
    if (!fit)
        return "无法判断窗口能否绕下：匝数、线径或股数没有算出，或这个型号的窗口尺寸未知";
    return "窗口可绕 " + formatWhole(fit->turnsHeld) + " 匝（每列 " + formatWhole(fit->turnsPerColumn) + " 匝 × "
           + formatWhole(fit->columns) + " 列），需要 " + formatWhole(fit->turnsNeeded) + " 匝："
           + (fit->fits ? "绕得下" : "绕不下") + "；窗口利用系数 " + formatFixed(fit->utilisation, 2);
}

std::string fringedGapText(const std::optional<FringedGap>& gap)
{
    if (!gap)
        return "无法估算考虑边缘磁通的气隙：电感量或匝数没有算出，这个型号的窗口高度未知，或气隙不比窗口高度小得多";
    return "考虑边缘磁通：约 " + formatFixed(gap->gap, 2) + " mm，边缘系数 " + formatFixed(gap->fringingFactor, 2);
}

std::string copperText(const std::optional<WindingCopper>& copper)
{
    if (!copper)
        return "无法估算铜损：匝数、线径或股数没有算出，一列绕不下一匝，或这个型号的中柱尺寸未知";
    return "平均匝长 " + formatFixed(copper->meanTurnLength, 1) + " mm，直流电阻 "
           + formatFixed(copper->resistanceAt20C * milliohmsPerOhm, 1) + " mΩ（20 °C）/ "
           + formatFixed(copper->resistanceAt100C * milliohmsPerOhm, 1) + " mΩ（100 °C），铜损约 "
           + formatFixed(copper->loss, 2) + " W";
}

} // namespace lout
