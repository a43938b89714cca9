#include "design/text/entered_design.h"

#include "design/text/input_text.h"

#include <cstdint>

namespace lout {

namespace {

void recompute(ShownDesign& w)
{
    w.design = calculateDesign(w.design.state);
}

void chooseModel(ShownDesign& w, float coreArea)
{
    w.design.state.coreArea = coreArea;
    w.design.state.fluxDensity = kDesignFluxDensity;
    recompute(w);
}

// A box whose text changes stores its number and recomputes.
void enterText(ShownDesign& w, std::string EnteredInputs::*box, float DesignState::*input, const std::string& text)
{
    if (w.entered.*box == text)
        return;
    w.entered.*box = text;
    w.design.state.*input = numberFromText(text);
    recompute(w);
}

void enterFrequency(ShownDesign& w, const std::string& kilohertz)
{
    if (w.entered.frequency == kilohertz)
        return;
    w.entered.frequency = kilohertz;
    const FrequencyInput frequency = frequencyFromText(kilohertz);
    w.design.state.frequency = frequency.hertz;
    if (!frequency.ok) {
        w.design = withoutRecomputing(w.design, {.frequency = true});
        return;
    }
    recompute(w);
}

void enterRipple(ShownDesign& w, int percent)
{
    if (w.entered.ripplePercent == percent)
        return;
    w.entered.ripplePercent = percent;
    w.design.state.rippleRatio = rippleFromSpinner(kMostRipplePercent, static_cast<std::int16_t>(percent));
    recompute(w);
}

void enterAll(ShownDesign& w, const EnteredInputs& inputs)
{
    enterText(w, &EnteredInputs::secondaryPeakVoltage, &DesignState::secondaryPeakVoltage,
              inputs.secondaryPeakVoltage);
    enterText(w, &EnteredInputs::outputVoltage, &DesignState::outputVoltage, inputs.outputVoltage);
    enterText(w, &EnteredInputs::outputCurrent, &DesignState::outputCurrent, inputs.outputCurrent);
    enterFrequency(w, inputs.frequency);
    enterRipple(w, inputs.ripplePercent);
}

} // namespace

EnteredInputs startUpInputs()
{
    return {"56", "48", "10", "100", 5};
}

ShownDesign startedWindow(float startUpModelArea)
{
    // Before start-up the boxes hold their design-time names, which no
    // entered text equals, and the spinner stands at 0.
    ShownDesign w;
    w.entered = {"txt_U2m", "txt_Uout", "txt_Iout", "txt_Fosc", 0};
    chooseModel(w, startUpModelArea);
    enterAll(w, startUpInputs());
    return w;
}

ShownDesign afterEntering(ShownDesign window, float coreArea, const EnteredInputs& inputs)
{
    chooseModel(window, coreArea);
    enterAll(window, inputs);
    return window;
}

} // namespace lout
