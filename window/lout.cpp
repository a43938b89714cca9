#include "window/lout.h"

#include "catalogue/catalogue_errors.h"
#include "design/design_calculation.h"
#include "design/inputs.h"
#include "design/number_text.h"
#include "drawing/core_window.h"
#include "drawing/design_readouts.h"
#include "resources/string_table.h"
#include "window/core_combo_box.h"
#include "window/core_view.h"
#include "window/event_wait.h"
#include "window/readout_tips.h"
#include "window/ripple_scroll_bar.h"
#include "window/twips.h"
#include "window/waveform_diagram.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include <array>
#include <cstdint>
#include <limits>

namespace lout {

namespace {

// Start-up chooses the seventh model and writes these inputs, in this order.
constexpr int kDefaultModelIndex = 6;
constexpr const char* kDefaultSecondaryVoltage = "56"; // V
constexpr const char* kDefaultOutputVoltage = "48";    // V
constexpr const char* kDefaultOutputCurrent = "10";    // A
constexpr const char* kDefaultFrequency = "100";       // kHz
constexpr int kDefaultRipplePercent = 5;

// The core drawing takes the diagram's place, this far below its top.
constexpr double kCoreViewBelowDiagramTwips = 120;
// The tooltip of the model list in the string table.
constexpr int kModelListTipString = 301;
// Where the catalogue keeps the model name and the dimensions A to F.
constexpr std::size_t kModelNameColumn = 0;
constexpr std::size_t kFirstDimensionColumn = 2;

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// The number of a text box, narrowed to single precision.
float numberIn(const QLineEdit& box)
{
    return numberFromText(box.text().toStdString());
}

// The current row's cells as numbers; a row that cannot be read draws no
// core.
std::optional<CoreDimensions> chosenCore(const std::optional<CoreRecordSet>& records)
{
    if (!records)
        return std::nullopt;
    try {
        CoreDimensions core{textValue(records->field(kModelNameColumn)), {}};
        for (std::size_t i = 0; i < core.millimetres.size(); ++i)
            core.millimetres[i] = numericValue(records->field(kFirstDimensionColumn + i));
        return core;
    } catch (const CatalogueError& error) {
        qWarning("lout: the chosen core is not drawn: error %d: %s", error.number(), error.what());
        return std::nullopt;
    }
}

} // namespace

Lout::Lout(ErrorPresenter presenter) : QDialog(nullptr), presenter_(std::move(presenter))
{
    shapeWindow(*this);
    // Bottom of the stack first.
    inputs_ = placeInputs(this);
    results_ = placeResults(this);
    diagram_ = new WaveformDiagram(this);
    placeFormulaTips(this);
    coreView_ = new CoreView(this);
    viewToggle_ = placeViewToggle(this);
    connectHandlers();

    QWidget* const focusOrder[] = {inputs_.models,           inputs_.outputCurrent, inputs_.ripple,
                                   inputs_.frequency,        inputs_.dutyRatio,     inputs_.secondaryVoltage,
                                   inputs_.outputVoltage,    viewToggle_,           inputs_.rippleSpinner};
    for (std::size_t i = 0; i + 1 < std::size(focusOrder); ++i)
        setTabOrder(focusOrder[i], focusOrder[i + 1]);
}

// The controls go after the window's own part: none of their last signals
// (a box losing its focus) may reach a handler.
Lout::~Lout()
{
    for (QObject* control : findChildren<QObject*>())
        QObject::disconnect(control, nullptr, this, nullptr);
}

void Lout::connectHandlers()
{
    const auto onText = [this](QLineEdit* box, void (Lout::*handler)()) {
        connect(box, &QLineEdit::textChanged, this, [this, handler] { runHandler(handler); });
    };
    onText(inputs_.secondaryVoltage, &Lout::secondaryVoltageChanged);
    onText(inputs_.outputVoltage, &Lout::outputVoltageChanged);
    onText(inputs_.outputCurrent, &Lout::outputCurrentChanged);
    onText(inputs_.frequency, &Lout::frequencyChanged);
    onText(inputs_.ripple, &Lout::updateDummyLoad);
    connect(inputs_.ripple, &QLineEdit::editingFinished, this,
            [this] { afterEditingFinished(*inputs_.ripple, this, [this] { applyTypedRipple(); }); });
    connect(inputs_.rippleSpinner, &QAbstractSlider::valueChanged, this, [this] { runHandler(&Lout::rippleChanged); });
    connect(inputs_.rippleSpinner, &RippleScrollBar::aboutToStep, this, &Lout::takeTypedRippleBeforeStep);
    connect(inputs_.rippleSpinner, &RippleScrollBar::stepDone, this,
            [this] { runHandler(&Lout::applyRippleTakenBeforeStep); });
    connect(inputs_.models, &CoreComboBox::chosen, this, [this] { runHandler(&Lout::chooseModel); });
    connect(viewToggle_, &QPushButton::toggled, this, [this] { runHandler(&Lout::toggleView); });
    // A recomputation is shown, then drawn.
    connect(this, &Lout::recomputed, this, &Lout::showResults);
    connect(this, &Lout::recomputed, this, &Lout::drawCore);
}

void Lout::startUp(const std::filesystem::path& catalogue)
{
    startingUp_ = true;
    struct StartUpEnds {
        bool& flag;
        ~StartUpEnds() { flag = false; }
    } startUpEnds{startingUp_};

    // 1. Top-left corner of the screen, 3400 twips high outside.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().topLeft());
    fitOuterHeight(*this);

    // 2.-4. The catalogue and its record set, held for the whole run.
    catalogueFile_ = catalogue.string();
    coreRecords_.emplace(CoreRecordSet::open(catalogue, 0));

    // 5. The model list in record-set order. Qt selects the first entry
    // added by itself; the list rather starts with nothing chosen, and only
    // the choice of step 8 raises the handler.
    CoreComboBox* models = inputs_.models;
    {
        const QSignalBlocker quiet(models);
        coreRecords_->moveFirst();
        while (!coreRecords_->eof()) {
            const std::optional<std::string> name = textValue(coreRecords_->field(kModelNameColumn));
            if (!name)
                throw CatalogueError(catalogue_errors::kInvalidUseOfNull,
                                     "无效使用 Null：磁芯目录 " + catalogueFile_ + " 中有一个型号名称为空");
            models->addItem(text(*name));
            coreRecords_->moveNext();
        }
        models->setCurrentIndex(-1);
        models->setEditText(QStringLiteral("cmb_Core")); // its design-time text
    }

    // 6. The list's tooltip.
    const std::string_view tip = resourceString(kModelListTipString);
    models->setToolTip(QString::fromUtf8(tip.data(), static_cast<qsizetype>(tip.size())));

    // 7. The core drawing takes the diagram's place.
    coreView_->move(coreView_->x(), diagram_->y() + twipsToPixels(kCoreViewBelowDiagramTwips));

    // 8. The seventh model.
    if (models->count() <= kDefaultModelIndex)
        throw CatalogueError(catalogue_errors::kInvalidPropertyValue,
                             "无效的属性值：磁芯目录 " + catalogueFile_ + " 只有 " + std::to_string(models->count()) +
                                 " 个型号，不能选定第 7 个");
    models->setCurrentIndex(kDefaultModelIndex);
    rethrowStartupFailure();

    // 9.-13. The default inputs and the ripple.
    const std::pair<QLineEdit*, const char*> defaults[] = {{inputs_.secondaryVoltage, kDefaultSecondaryVoltage},
                                                           {inputs_.outputVoltage, kDefaultOutputVoltage},
                                                           {inputs_.outputCurrent, kDefaultOutputCurrent},
                                                           {inputs_.frequency, kDefaultFrequency}};
    for (const auto& [box, typed] : defaults) {
        box->setText(QString::fromLatin1(typed));
        rethrowStartupFailure();
    }
    inputs_.rippleSpinner->setValue(kDefaultRipplePercent);
    rethrowStartupFailure();

    models->setFocus();
}

void Lout::chooseModel()
{
    const int entry = inputs_.models->currentIndex();
    if (!coreRecords_ || entry < 0)
        throw CatalogueError(catalogue_errors::kNoCurrentRecord, "磁芯目录尚未打开或没有选定型号，没有当前记录");
    // List entry k was listed from the k-th row in TYPE order: that row
    // becomes current, also where two rows share a name.
    coreRecords_->moveFirst();
    for (int row = 0; row < entry; ++row)
        coreRecords_->moveNext();
    design_.coreArea = coreAreaOf(coreRecords_->field(std::string_view("Co_Ae")), catalogueFile_);
    design_.fluxDensity = kDesignFluxDensity;
    recompute();
}

void Lout::secondaryVoltageChanged()
{
    design_.secondaryPeakVoltage = numberIn(*inputs_.secondaryVoltage);
    recompute();
    inputs_.dutyRatio->setText(text(shownDutyRatio(design_, currentResults())));
}

void Lout::outputVoltageChanged()
{
    design_.outputVoltage = numberIn(*inputs_.outputVoltage);
    recompute();
    inputs_.dutyRatio->setText(text(shownDutyRatio(design_, currentResults())));
    // The dummy load follows the output voltage at once.
    updateDummyLoad();
}

void Lout::outputCurrentChanged()
{
    design_.outputCurrent = numberIn(*inputs_.outputCurrent);
    recompute();
    // The dummy load follows the output current at once.
    updateDummyLoad();
}

void Lout::frequencyChanged()
{
    const FrequencyInput frequency = frequencyFromText(inputs_.frequency->text().toStdString());
    design_.frequency = frequency.hertz;
    // A frequency beyond the single range is kept but not computed with:
    // the results it feeds no longer belong to the inputs.
    if (!frequency.ok) {
        changedSinceRecomputation_.frequency = true;
        showResults();
        coreView_->clearWindings();
        return;
    }
    recompute();
}

void Lout::rippleChanged()
{
    rippleTakenBeforeStep_ = false;
    RippleScrollBar* spinner = inputs_.rippleSpinner;
    design_.rippleRatio = rippleFromScrollBar(static_cast<std::int16_t>(spinner->topValue()),
                                              static_cast<std::int16_t>(spinner->value()));
    const QString percent = text(formatPercent(design_.rippleRatio));
    // The write raises updateDummyLoad here. A box that already reads the
    // new percentage (typed there, not yet applied) raises nothing, yet its
    // dummy load was worked out from the old ripple: it is recomputed all
    // the same.
    if (inputs_.ripple->text() == percent)
        updateDummyLoad();
    else
        inputs_.ripple->setText(percent);
    inputs_.ripple->setModified(false); // the box shows the ripple in force
    diagram_->showRipple(percent);
    recompute();
}

void Lout::updateDummyLoad()
{
    // A division that fails (no ripple, no current) shows no load.
    results_.dummyLoad->setText(
        text(shownDummyLoad(dummyLoad(design_.outputVoltage, design_.rippleRatio, design_.outputCurrent))));
}

void Lout::toggleView()
{
    // Only the visibility changes: nothing is recomputed or redrawn.
    if (viewToggle_->isChecked()) {
        diagram_->hide();
        coreView_->show();
    } else {
        coreView_->hide();
        diagram_->show();
    }
}

void Lout::applyTypedRipple()
{
    const std::optional<int> percent = rippleFromTypedText(inputs_.ripple->text().toStdString());
    if (!percent)
        return;
    if (*percent != inputs_.rippleSpinner->value()) {
        inputs_.rippleSpinner->setValue(*percent);
        return;
    }
    inputs_.ripple->setText(text(formatPercent(design_.rippleRatio)));
}

// The spinner's step comes before the box is left (a click that takes the
// focus is delivered after it, a wheel or key leaves the focus where it
// is), so the typed ripple is taken here first. It is set without raising
// the change: the step that follows raises it once, from the typed value.
// No recomputation runs before the step, so none can wait inside a click.
void Lout::takeTypedRippleBeforeStep()
{
    if (!inputs_.ripple->isModified())
        return;
    const std::optional<int> percent = rippleFromTypedText(inputs_.ripple->text().toStdString());
    if (!percent || *percent == inputs_.rippleSpinner->value())
        return;
    const QSignalBlocker quiet(inputs_.rippleSpinner);
    inputs_.rippleSpinner->setValue(*percent);
    rippleTakenBeforeStep_ = true;
}

// A step at the spinner's end changes nothing and raises nothing.
void Lout::applyRippleTakenBeforeStep()
{
    if (rippleTakenBeforeStep_)
        rippleChanged();
}

void Lout::recompute()
{
    const DesignCalculation calculation = calculateDesign(design_);
    design_ = calculation.state;
    storedResults_ = calculation.stored;
    changedSinceRecomputation_ = {};
    emit recomputed();
}

CurrentResults Lout::currentResults() const
{
    return resultsFromCurrentInputs(storedResults_, changedSinceRecomputation_);
}

void Lout::showResults()
{
    const std::array<std::string, 5> texts = shownResultTexts(design_, currentResults());
    for (std::size_t i = 0; i < texts.size(); ++i)
        results_.design.at(i)->setText(text(texts[i]));
    const std::optional<CoreDimensions> core = chosenCore(coreRecords_);
    showReadoutTips(*this, core ? readoutsOf(*core, design_, currentResults()) : DesignReadouts{});
}

void Lout::drawCore()
{
    try {
        // Results the inputs did not produce draw no winding.
        const CurrentResults current = currentResults();
        const auto produced = [](bool isCurrent, float value) {
            return isCurrent ? value : std::numeric_limits<float>::quiet_NaN();
        };
        coreView_->setCoreGeometry(chosenCore(coreRecords_));
        coreView_->drawWinding(produced(current.turns, design_.turns), produced(current.strands, design_.strands),
                               produced(current.wireDiameter, design_.wireDiameter));
    } catch (const std::exception& error) {
        // The results stay shown; only the drawing is cut short.
        qWarning("lout: the core drawing ended early: %s", error.what());
    }
}

void Lout::runHandler(void (Lout::*handler)())
{
    try {
        (this->*handler)();
    } catch (const std::exception& error) {
        if (startingUp_) {
            if (!startupFailure_)
                startupFailure_ = std::current_exception();
            return;
        }
        const auto* catalogueError = dynamic_cast<const CatalogueError*>(&error);
        if (presenter_)
            presenter_(catalogueError ? catalogueError->number() : 0, QString::fromStdString(error.what()));
    }
}

void Lout::rethrowStartupFailure()
{
    if (startupFailure_) {
        std::exception_ptr failure = startupFailure_;
        startupFailure_ = nullptr;
        std::rethrow_exception(failure);
    }
}

// The window manager frames the window after it is shown, and moves it
// when it does: the outer height is set again once its frame is known.
bool Lout::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::WindowActivate:
        fitOuterHeight(*this);
        break;
    default:
        break;
    }
    return handled;
}

// The window has no Cancel button: Escape does not close it.
void Lout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace lout
