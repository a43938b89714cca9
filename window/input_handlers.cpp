// The three roads of change: a model chosen, an input typed, the ripple
// stepped. Each stores its input and recomputes through Ref_Pram.
#include "window/lout.h"

#include "design/current_results.h"
#include "design/inputs.h"
#include "design/number_text.h"
#include "design/design_calculation.h"
#include "window/control_factory.h"
#include "window/core_combo_box.h"
#include "window/ripple_scroll_bar.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <array>
#include <optional>
#include <string>

namespace lout {

namespace {

// The number of a text box, narrowed to single precision.
float singleFromText(const QLineEdit& box)
{
    return numberFromText(box.text().toStdString());
}

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

void Lout::cmb_Core_Click()
{
    const int entry = c_.cmb_Core->currentIndex();
    if (!CorRD || entry < 0)
        throw CatalogueError(3021, "磁芯目录尚未打开或没有选定型号，没有当前记录");
    // List entry k was listed from the k-th row in TYPE order: that row
    // becomes current, also where two rows share a name.
    CorRD->moveFirst();
    for (int row = 0; row < entry; ++row)
        CorRD->moveNext();
    state_.coreArea = coreAreaOf(CorRD->field(std::string_view("Co_Ae")), catalogueFile_);
    state_.fluxDensity = 0.25F;
    Ref_Pram();
}

void Lout::txt_U_2m_Change()
{
    state_.secondaryPeakVoltage = singleFromText(*c_.txt_U_2m);
    Ref_Pram();
    c_.txt_Dmax->setText(text(shownDutyRatio(state_, currentResults())));
}

void Lout::txt_Uout_Change()
{
    state_.outputVoltage = singleFromText(*c_.txt_Uout);
    Ref_Pram();
    c_.txt_Dmax->setText(text(shownDutyRatio(state_, currentResults())));
    // The dummy load follows the output voltage at once.
    txt_Wave_Change();
}

void Lout::txt_Iout_Change()
{
    state_.outputCurrent = singleFromText(*c_.txt_Iout);
    Ref_Pram();
    // The dummy load follows the output current at once.
    txt_Wave_Change();
}

void Lout::txt_Fosc_Change()
{
    const FrequencyInput frequency = frequencyFromText(c_.txt_Fosc->text().toStdString());
    state_.frequency = frequency.hertz;
    // A frequency beyond the single range is kept but not computed with:
    // the results it feeds no longer belong to the inputs.
    if (!frequency.ok) {
        changedSinceRecomputation_.frequency = true;
        showResults();
        return;
    }
    Ref_Pram();
}

void Lout::croWave_Change()
{
    rippleTakenBeforeStep_ = false;
    state_.rippleRatio = rippleFromScrollBar(static_cast<std::int16_t>(c_.croWave->topValue()),
                                      static_cast<std::int16_t>(c_.croWave->value()));
    const QString percent = text(formatPercent(state_.rippleRatio));
    // The write raises txt_Wave_Change here. A box that already reads the
    // new percentage (typed there, not yet applied) raises nothing, yet its
    // dummy load was worked out from the old ripple: it is recomputed all
    // the same.
    if (c_.txt_Wave->text() == percent)
        txt_Wave_Change();
    else
        c_.txt_Wave->setText(percent);
    c_.txt_Wave->setModified(false); // the box shows the ripple in force
    setCaption(c_.Label3.at(10), percent);
    Ref_Pram();
}

void Lout::txt_Wave_Change()
{
    // A division that fails (no ripple, no current) shows no load.
    c_.lab_Pram.at(5)->setText(text(shownDummyLoad(dummyLoad(state_.outputVoltage, state_.rippleRatio, state_.outputCurrent))));
}

// A ripple typed into the box counts once the box is left or Enter is
// pressed: it moves the spinner, which recomputes and rewrites the box.
void Lout::applyTypedRipple()
{
    const std::optional<int> percent = rippleFromTypedText(c_.txt_Wave->text().toStdString());
    if (!percent)
        return;
    if (*percent != c_.croWave->value()) {
        c_.croWave->setValue(*percent);
        return;
    }
    c_.txt_Wave->setText(text(formatPercent(state_.rippleRatio)));
}

// The spinner's step comes before the box is left (a click that takes the
// focus is delivered after it, a wheel or key leaves the focus where it
// is), so the typed ripple is taken here first. It is set without raising
// the change: the step that follows raises it once, from the typed value.
// No recomputation runs before the step, so none can wait inside a click.
void Lout::takeTypedRippleBeforeStep()
{
    if (!c_.txt_Wave->isModified())
        return;
    const std::optional<int> percent = rippleFromTypedText(c_.txt_Wave->text().toStdString());
    if (!percent || *percent == c_.croWave->value())
        return;
    const QSignalBlocker quiet(c_.croWave);
    c_.croWave->setValue(*percent);
    rippleTakenBeforeStep_ = true;
}

// A step at the spinner's end changes nothing and raises nothing.
void Lout::applyRippleTakenBeforeStep()
{
    if (rippleTakenBeforeStep_)
        croWave_Change();
}

CurrentResults Lout::currentResults() const
{
    return resultsFromCurrentInputs(latestSteps_, changedSinceRecomputation_);
}

void Lout::showResults()
{
    const std::array<std::string, 5> labels = shownResultTexts(state_, currentResults());
    for (std::size_t i = 0; i < labels.size(); ++i)
        c_.lab_Pram.at(i)->setText(text(labels[i]));
}

void Lout::Ref_Pram()
{
    ++recomputations_;
    const DesignCalculation outcome = calculateDesign(state_);
    state_ = outcome.state;
    latestSteps_ = outcome.stored;
    changedSinceRecomputation_ = {};
    showResults();
    // A failure of the drawing ends it silently; the results stay shown.
    try {
        Drw_Win();
    } catch (const std::exception&) {
    }
}

} // namespace lout
