#include "design/ref_pram.h"

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
StepResult dutyRatio(const DesignState& s)
{
    StepArithmetic f;
    return f.narrow(f.div(f.mul(s.Uo, kHalf), s.U2m));
}

// L = (U2m - Uo - 1.3) * Dmax * 1e6 / (Fosc * Io * Wave).
StepResult inductance(const DesignState& s)
{
    StepArithmetic f;
    const double voltage = f.sub(s.U2m, s.Uo);
    if (f.failed())
        return std::nullopt;
    const double voltSeconds = f.mul(f.mul(f.sub(voltage, kRectifierDrop), s.Dmax), kMicro);
    const double rippleRate = f.mul(f.mul(s.Fosc, s.Io), s.Wave);
    if (f.failed())
        return std::nullopt;
    return f.narrow(f.div(voltSeconds, rippleRate));
}

// N = Int((U2m - Uo - 1.3) * Dmax / (Fosc * Wave * Bm * Ae * 0.0001) + 0.5):
// the inductor's volt-seconds over the allowed flux swing times the area.
StepResult turns(const DesignState& s)
{
    StepArithmetic f;
    const double voltSeconds = f.mul(f.sub(f.sub(s.U2m, s.Uo), kRectifierDrop), s.Dmax);
    const double fluxSwing = f.mul(f.mul(f.mul(s.Fosc, s.Wave), s.Bm), s.Ae);
    if (f.failed())
        return std::nullopt;
    const double rounded = f.add(f.div(voltSeconds, f.mul(fluxSwing, kSquareCm)), kHalf);
    if (f.failed())
        return std::nullopt;
    return f.narrow(StepArithmetic::floor(rounded));
}

// Gap = 4 * pi * N * Io / (Bm * 10000), in mm, from the stored N_Turn.
StepResult airGap(const DesignState& s)
{
    StepArithmetic f;
    const double ampereTurns = f.mul(f.mul(f.mul(kFour, kPi), s.N_Turn), s.Io);
    const double fluxDensity = f.mul(s.Bm, static_cast<double>(kGapScale));
    if (f.failed())
        return std::nullopt;
    return f.narrow(f.div(ampereTurns, fluxDensity));
}

// Twice the skin depth at the switching frequency; the root stays in double.
StepResult wireDiameter(const DesignState& s)
{
    StepArithmetic f;
    const double megahertz = f.div(s.Fosc, kMicro);
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
    const double copperArea = f.div(f.mul(f.mul(s.Dia_mm, kPi), s.Dia_mm), kFour);
    return f.narrow(f.div(f.div(s.Io, kCurrentDensity), copperArea));
}

StepResult strandsRounded(const DesignState& s)
{
    StepArithmetic f;
    const double rounded = f.add(s.N_Strand, kHalf);
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

std::string resultLabelText(std::size_t index, float value)
{
    switch (index) {
    case 0: return formatFixed(value, 1) + " uH";
    case 1: return formatWhole(value) + " 匝";
    case 2: return formatFixed(value, 2) + " mm";
    case 3: return formatFixed(value, 2) + " mm";
    case 4: return formatWhole(value) + " 股";
    default: return formatWhole(value);
    }
}

RefPramOutcome refPram(const DesignState& before)
{
    RefPramOutcome out{before, {}, {}};
    DesignState& s = out.state;
    StoredSteps& stored = out.stored;

    stored.dutyRatio = store(s.Dmax, dutyRatio(s));
    stored.inductance = store(s.L_uH, inductance(s));
    out.labels[0] = resultLabelText(0, s.L_uH);
    stored.turns = store(s.N_Turn, turns(s));
    out.labels[1] = resultLabelText(1, s.N_Turn);
    stored.airGap = store(s.Gap_mm, airGap(s));
    out.labels[2] = resultLabelText(2, s.Gap_mm);
    stored.wireDiameter = store(s.Dia_mm, wireDiameter(s));
    out.labels[3] = resultLabelText(3, s.Dia_mm);
    stored.strandsUnrounded = store(s.N_Strand, strandsUnrounded(s));
    stored.strandsRounded = store(s.N_Strand, strandsRounded(s));
    out.labels[4] = resultLabelText(4, s.N_Strand);
    return out;
}

} // namespace lout
