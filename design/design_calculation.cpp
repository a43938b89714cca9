#include "design/design_calculation.h"

#include "design/step_arithmetic.h"

#include <limits>
#include <optional>

namespace lout {
namespace {

// Each computing step reads the stored single values, works in double from
// left to right and tests for failures at fixed points. A failing test
// before the store abandons the step (empty result: the variable keeps its
// previous value); whatever goes wrong after the last test is stored as it
// is, infinities and NaN included.
using StepResult = std::optional<float>;

// The duty ratio is this part of the ratio of output to secondary voltage.
constexpr double kDutyRatioPerVoltageRatio = 0.5;
// Added before flooring, so that a count is rounded to the nearest whole
// number, halves up.
constexpr double kRoundingOffset = 0.5;
constexpr double kRectifierDrop = 1.3;                    // Ud + U2s, V
constexpr double kMicrohenriesPerHenry = 1000000;
constexpr double kHertzPerMegahertz = 1000000;
constexpr double kSquareMetresPerSquareCentimetre = 0.0001;
constexpr double kPi = 3.1416; // as the gap and the strand area take it alike
// The permeability of free space, 4π × 10⁻⁷ H/m, times 10⁷; dividing by the
// flux density times kPermeabilityToGapMillimetres undoes the 10⁷ and gives
// the gap in millimetres. Single precision, exact.
constexpr double kScaledVacuumPermeability = 4 * kPi;
constexpr float kPermeabilityToGapMillimetres = 10000;
constexpr double kSkinDepthAt1MHz = 0.066;  // mm
constexpr double kSkinDepthsPerDiameter = 2; // the wire is two skin depths thick
constexpr double kCurrentDensity = 2.5;      // A/mm²
// A circle's area is π d² over this: (d / r)².
constexpr double kDiameterOverRadiusSquared = 4;

// Half the voltage ratio. No test before the store.
StepResult dutyRatioStep(const DesignState& s)
{
    StepArithmetic f;
    return f.narrow(f.div(f.mul(s.outputVoltage, kDutyRatioPerVoltageRatio), s.secondaryPeakVoltage));
}

// L = (U2m - Uo - 1.3) * D * 1e6 / (f * Io * ripple), in uH: the voltage
// across the inductor during the on time D / f over the ripple current.
StepResult inductanceStep(const DesignState& s)
{
    StepArithmetic f;
    const double voltage = f.sub(s.secondaryPeakVoltage, s.outputVoltage);
    if (f.failed())
        return std::nullopt;
    const double voltSeconds = f.mul(f.mul(f.sub(voltage, kRectifierDrop), s.dutyRatio), kMicrohenriesPerHenry);
    const double rippleRate = f.mul(f.mul(s.frequency, s.outputCurrent), s.rippleRatio);
    if (f.failed())
        return std::nullopt;
    return f.narrow(f.div(voltSeconds, rippleRate));
}

// N = (U2m - Uo - 1.3) * D / (f * ripple * B * Ae * 0.0001), rounded to the
// nearest whole number: the inductor's volt-seconds over the allowed flux
// swing times the area.
StepResult turnsStep(const DesignState& s)
{
    StepArithmetic f;
    const double inductorVoltage = f.sub(f.sub(s.secondaryPeakVoltage, s.outputVoltage), kRectifierDrop);
    const double voltSeconds = f.mul(inductorVoltage, s.dutyRatio);
    const double fluxSwing = f.mul(f.mul(f.mul(s.frequency, s.rippleRatio), s.fluxDensity), s.coreArea);
    if (f.failed())
        return std::nullopt;
    const double rounded = f.add(f.div(voltSeconds, f.mul(fluxSwing, kSquareMetresPerSquareCentimetre)), kRoundingOffset);
    if (f.failed())
        return std::nullopt;
    return f.narrow(StepArithmetic::floor(rounded));
}

// Gap = 4 * pi * N * Io / (B * 10000), in mm, from the stored turns.
StepResult airGapStep(const DesignState& s)
{
    StepArithmetic f;
    const double ampereTurns = f.mul(f.mul(kScaledVacuumPermeability, s.turns), s.outputCurrent);
    const double scaledFlux = f.mul(s.fluxDensity, static_cast<double>(kPermeabilityToGapMillimetres));
    if (f.failed())
        return std::nullopt;
    return f.narrow(f.div(ampereTurns, scaledFlux));
}

// Twice the skin depth at the switching frequency; the root stays in double.
StepResult wireDiameterStep(const DesignState& s)
{
    StepArithmetic f;
    const double megahertz = f.div(s.frequency, kHertzPerMegahertz);
    if (f.failed())
        return std::nullopt;
    const double root = f.sqrt(megahertz);
    if (f.failed())
        return std::nullopt;
    return f.narrow(f.div(f.mul(kSkinDepthsPerDiameter, kSkinDepthAt1MHz), root));
}

// Current at 2.5 A/mm^2 over the cross-section of one wire. No test.
StepResult strandsUnrounded(const DesignState& s)
{
    StepArithmetic f;
    const double copperArea = f.div(f.mul(f.mul(s.wireDiameter, kPi), s.wireDiameter), kDiameterOverRadiusSquared);
    return f.narrow(f.div(f.div(s.outputCurrent, kCurrentDensity), copperArea));
}

StepResult strandsRounded(const DesignState& s)
{
    StepArithmetic f;
    const double rounded = f.add(s.strands, kRoundingOffset);
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

DesignResult calculateDesign(const DesignState& before)
{
    DesignState s = before;
    StoredResults stored;
    stored.dutyRatio = store(s.dutyRatio, dutyRatioStep(s));
    stored.inductance = store(s.inductance, inductanceStep(s));
    stored.turns = store(s.turns, turnsStep(s));
    stored.airGap = store(s.airGap, airGapStep(s));
    stored.wireDiameter = store(s.wireDiameter, wireDiameterStep(s));
    const bool unrounded = store(s.strands, strandsUnrounded(s));
    const bool rounded = store(s.strands, strandsRounded(s));
    stored.strands = unrounded && rounded;
    return {s, resultsFromCurrentInputs(stored), dummyLoad(s.outputVoltage, s.rippleRatio, s.outputCurrent)};
}

DesignResult withoutRecomputing(DesignResult result, const ChangedInputs& changed)
{
    result.current = resultsFromCurrentInputs(result.current, changed);
    return result;
}

DesignState producedValues(const DesignResult& result)
{
    const auto produced = [](float value, bool current) {
        return current ? value : std::numeric_limits<float>::quiet_NaN();
    };
    const CurrentResults& current = result.current;
    DesignState s = result.state;
    s.dutyRatio = produced(s.dutyRatio, current.dutyRatio);
    s.inductance = produced(s.inductance, current.inductance);
    s.turns = produced(s.turns, current.turns);
    s.airGap = produced(s.airGap, current.airGap);
    s.wireDiameter = produced(s.wireDiameter, current.wireDiameter);
    s.strands = produced(s.strands, current.strands);
    return s;
}

std::optional<float> dummyLoad(float outputVoltage, float rippleRatio, float outputCurrent)
{
    StepArithmetic f;
    const double ohms = f.div(f.div(outputVoltage, rippleRatio), outputCurrent);
    if (f.failed())
        return std::nullopt;
    const float whole = f.narrow(StepArithmetic::floor(ohms));
    if (f.failed())
        return std::nullopt; // beyond single precision
    return whole;
}

float rippleFromSpinner(std::int16_t top, std::int16_t value)
{
    return static_cast<float>(static_cast<double>(value) / static_cast<double>(top));
}

} // namespace lout
