#include "design/design_calculation.h"

#include "design/number_text.h"
#include "design/step_arithmetic.h"

#include <optional>

namespace lout {
namespace {

// Each computing step reads the stored single values, works in double from
// left to right and tests for failures at fixed points. A failing test
// before the store abandons the step (empty result: the variable keeps its
// previous value); whatever goes wrong after the last test is stored as it
// is, infinities and NaN included.
using StepResult = std::optional<float>;

constexpr double kHalf = 0.5;
constexpr double kRectifierDrop = 1.3;   // Ud + U2s, V
constexpr double kMicro = 1000000;       // H -> uH, Hz -> MHz
constexpr double kSquareCm = 0.0001;     // cm^2 -> m^2
constexpr double kFour = 4;
constexpr double kPi = 3.1416;           // the pi of gap and strand area alike
constexpr float kGapScale = 10000;       // single precision, exact
constexpr double kTwo = 2;
constexpr double kSkinDepthAt1MHz = 0.066; // mm
constexpr double kCurrentDensity = 2.5;    // A/mm^2

// Half the voltage ratio. No test before the store.
StepResult dutyRatioStep(const DesignState& s)
{
    StepArithmetic f;
    return f.narrow(f.div(f.mul(s.outputVoltage, kHalf), s.secondaryPeakVoltage));
}

// L = (U2m - Uo - 1.3) * D * 1e6 / (f * Io * ripple), in uH: the voltage
// across the inductor during the on time D / f over the ripple current.
StepResult inductanceStep(const DesignState& s)
{
    StepArithmetic f;
    const double voltage = f.sub(s.secondaryPeakVoltage, s.outputVoltage);
    if (f.failed())
        return std::nullopt;
    const double voltSeconds = f.mul(f.mul(f.sub(voltage, kRectifierDrop), s.dutyRatio), kMicro);
    const double rippleRate = f.mul(f.mul(s.frequency, s.outputCurrent), s.rippleRatio);
    if (f.failed())
        return std::nullopt;
    return f.narrow(f.div(voltSeconds, rippleRate));
}

// N = Int((U2m - Uo - 1.3) * D / (f * ripple * B * Ae * 0.0001) + 0.5): the
// inductor's volt-seconds over the allowed flux swing times the area.
StepResult turnsStep(const DesignState& s)
{
    StepArithmetic f;
    const double inductorVoltage = f.sub(f.sub(s.secondaryPeakVoltage, s.outputVoltage), kRectifierDrop);
    const double voltSeconds = f.mul(inductorVoltage, s.dutyRatio);
    const double fluxSwing = f.mul(f.mul(f.mul(s.frequency, s.rippleRatio), s.fluxDensity), s.coreArea);
    if (f.failed())
        return std::nullopt;
    const double rounded = f.add(f.div(voltSeconds, f.mul(fluxSwing, kSquareCm)), kHalf);
    if (f.failed())
        return std::nullopt;
    return f.narrow(StepArithmetic::floor(rounded));
}

// Gap = 4 * pi * N * Io / (B * 10000), in mm, from the stored turns.
StepResult airGapStep(const DesignState& s)
{
    StepArithmetic f;
    const double ampereTurns = f.mul(f.mul(f.mul(kFour, kPi), s.turns), s.outputCurrent);
    const double scaledFlux = f.mul(s.fluxDensity, static_cast<double>(kGapScale));
    if (f.failed())
        return std::nullopt;
    return f.narrow(f.div(ampereTurns, scaledFlux));
}

// Twice the skin depth at the switching frequency; the root stays in double.
StepResult wireDiameterStep(const DesignState& s)
{
    StepArithmetic f;
    const double megahertz = f.div(s.frequency, kMicro);
    if (f.failed())
        return std::nullopt;
    const double root = f.sqrt(megahertz);
    if (f.failed())
        return std::nullopt;
    return f.narrow(f.div(f.mul(kTwo, kSkinDepthAt1MHz), root));
}

// Current at 2.5 A/mm^2 over the cross-section of one wire. No test.
StepResult strandsUnrounded(const DesignState& s)
{
    StepArithmetic f;
    const double copperArea = f.div(f.mul(f.mul(s.wireDiameter, kPi), s.wireDiameter), kFour);
    return f.narrow(f.div(f.div(s.outputCurrent, kCurrentDensity), copperArea));
}

StepResult strandsRounded(const DesignState& s)
{
    StepArithmetic f;
    const double rounded = f.add(s.strands, kHalf);
    if (f.failed())
        return std::nullopt;
    return f.narrow(StepArithmetic::floor(rounded));
}

// Stores a step's result; false when the step kept the previous value.
bool store(float& variable, const StepResult& result)
{
    if (result)
        variable = *result;
    return result.has_value();
}

} // namespace

std::array<std::string, 5> resultTexts(const DesignState& s)
{
    return {formatFixed(s.inductance, 1) + " uH", formatWhole(s.turns) + " 匝", formatFixed(s.airGap, 2) + " mm",
            formatFixed(s.wireDiameter, 2) + " mm", formatWhole(s.strands) + " 股"};
}

DesignCalculation calculateDesign(const DesignState& before)
{
    DesignCalculation out{before, {}};
    DesignState& s = out.state;
    StoredResults& stored = out.stored;

    stored.dutyRatio = store(s.dutyRatio, dutyRatioStep(s));
    stored.inductance = store(s.inductance, inductanceStep(s));
    stored.turns = store(s.turns, turnsStep(s));
    stored.airGap = store(s.airGap, airGapStep(s));
    stored.wireDiameter = store(s.wireDiameter, wireDiameterStep(s));
    const bool unrounded = store(s.strands, strandsUnrounded(s));
    const bool rounded = store(s.strands, strandsRounded(s));
    stored.strands = unrounded && rounded;
    return out;
}

} // namespace lout
