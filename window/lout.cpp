#include "window/lout.h"

#include "catalogue/catalogue_errors.h"
#include "design/text/entered_design.h"
#include "design/text/input_text.h"
#include "design/text/shown_texts.h"
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

namespace lout {

namespace {

// The core drawing takes the diagram's place, this far below its top.
constexpr double kCoreViewBelowDiagramTwips = 120;
// The tooltip of the model list in the string table.
constexpr int kModelListTipString = 301;

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// The number of a text box, narrowed to single precision.
float numberIn(const QLineEdit& box)
{
    return numberFromText(box.text().toStdString());
}

// A core as the drawing reads it.
CoreDimensions drawnCore(const CatalogueCore& core)
{
    return {core.name, dimensionsOf(core)};
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

    // The top-left corner of the screen, 3400 twips high outside.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().topLeft());
    fitOuterHeight(*this);
    cornerMovesLeft_ = 3;

    // The catalogue, read once and held for the whole run. One without any
    // model fails as listing its first model would.
    catalogue_ = readCoreCatalogue(catalogue, 0);
    if (catalogue_.cores.empty())
        throw catalogue_errors::noCurrentRecord(catalogue_.file);

    // The model list in the catalogue's order. Qt selects the first entry
    // added by itself; the list rather starts with nothing chosen, and only
    // the start-up model's choice below raises the handler.
    CoreComboBox* models = inputs_.models;
    {
        const QSignalBlocker quiet(models);
        for (const CatalogueCore& core : catalogue_.cores)
            models->addItem(text(core.name));
        models->setCurrentIndex(-1);
        models->setEditText(QStringLiteral("cmb_Core")); // its design-time text
    }

    const std::string_view tip = resourceString(kModelListTipString);
    models->setToolTip(QString::fromUtf8(tip.data(), static_cast<qsizetype>(tip.size())));

    // The core drawing takes the diagram's place.
    coreView_->move(coreView_->x(), diagram_->y() + twipsToPixels(kCoreViewBelowDiagramTwips));

    // The start-up model, then the start-up inputs and the ripple, each
    // through the handler a user's change raises.
    if (models->count() <= static_cast<int>(kStartUpModel))
        throw CatalogueError(catalogue_errors::kInvalidPropertyValue,
                             "无效的属性值：磁芯目录 " + catalogue_.file + " 只有 " + std::to_string(models->count()) +
                                 " 个型号，不能选定第 7 个");
    models->setCurrentIndex(static_cast<int>(kStartUpModel));
    rethrowStartupFailure();

    const EnteredInputs entered = startUpInputs();
    const std::pair<QLineEdit*, const std::string&> defaults[] = {{inputs_.secondaryVoltage, entered.secondaryPeakVoltage},
                                                                  {inputs_.outputVoltage, entered.outputVoltage},
                                                                  {inputs_.outputCurrent, entered.outputCurrent},
                                                                  {inputs_.frequency, entered.frequency}};
    for (const auto& [box, typed] : defaults) {
        box->setText(text(typed));
        rethrowStartupFailure();
    }
    inputs_.rippleSpinner->setValue(entered.ripplePercent);
    rethrowStartupFailure();

    models->setFocus();
}

void Lout::chooseModel()
{
    const int entry = inputs_.models->currentIndex();
    if (entry < 0 || static_cast<std::size_t>(entry) >= catalogue_.cores.size())
        throw CatalogueError(catalogue_errors::kNoCurrentRecord, "磁芯目录尚未打开或没有选定型号，没有当前记录");
    // List entry k is the catalogue's core k, also where two share a name.
    chosenCore_ = static_cast<std::size_t>(entry);
    design_.state.coreArea = coreAreaOf(catalogue_.cores[*chosenCore_], catalogue_.file);
    design_.state.fluxDensity = kDesignFluxDensity;
    recompute();
}

void Lout::secondaryVoltageChanged()
{
    design_.state.secondaryPeakVoltage = numberIn(*inputs_.secondaryVoltage);
    recompute();
}

void Lout::outputVoltageChanged()
{
    design_.state.outputVoltage = numberIn(*inputs_.outputVoltage);
    recompute();
}

void Lout::outputCurrentChanged()
{
    design_.state.outputCurrent = numberIn(*inputs_.outputCurrent);
    recompute();
}

void Lout::frequencyChanged()
{
    const FrequencyInput frequency = frequencyFromText(inputs_.frequency->text().toStdString());
    design_.state.frequency = frequency.hertz;
    if (frequency.ok) {
        recompute();
        return;
    }
    // A frequency too large for single precision is kept but not computed
    // with: the results it feeds no longer belong to the inputs, and no
    // winding is drawn for them.
    design_ = withoutRecomputing(design_, {.frequency = true});
    showResults();
    coreView_->clearWindings();
}

void Lout::rippleChanged()
{
    rippleTakenBeforeStep_ = false;
    RippleScrollBar* spinner = inputs_.rippleSpinner;
    design_.state.rippleRatio = rippleFromSpinner(static_cast<std::int16_t>(spinner->topValue()),
                                                  static_cast<std::int16_t>(spinner->value()));
    const QString percent = text(shownTexts(design_).ripple);
    inputs_.ripple->setText(percent);
    inputs_.ripple->setModified(false); // the box shows the ripple in force
    diagram_->showRipple(percent);
    recompute();
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
    inputs_.ripple->setText(text(shownTexts(design_).ripple));
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
    design_ = calculateDesign(design_.state);
    emit recomputed();
}

void Lout::showResults()
{
    const ShownTexts shown = shownTexts(design_);
    for (std::size_t i = 0; i < results_.design.size(); ++i)
        results_.design.at(i)->setText(text(shown.results.at(i)));
    results_.dummyLoad->setText(text(shown.results.back()));
    inputs_.dutyRatio->setText(text(shown.dutyRatio));
    showReadoutTips(*this, chosenCore_ ? readoutsOf(drawnCore(catalogue_.cores[*chosenCore_]), design_) : DesignReadouts{});
}

void Lout::drawCore()
{
    try {
        // Results the inputs did not produce draw no winding.
        const DesignState produced = producedValues(design_);
        coreView_->setCoreGeometry(chosenCore_ ? std::optional(drawnCore(catalogue_.cores[*chosenCore_]))
                                               : std::nullopt);
        coreView_->drawWinding(produced.turns, produced.strands, produced.wireDiameter);
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
// when it does: the outer height is set again once its frame is known, and
// the frame put at the screen's corner if that resize moved it away.
bool Lout::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::WindowActivate:
        fitOuterHeight(*this);
        if (cornerMovesLeft_ > 0) {
            switch (placeFrameAtScreenCorner(*this)) {
            case CornerPlacement::NotFramedYet:
                break;
            case CornerPlacement::AtCorner:
                cornerMovesLeft_ = 0;
                break;
            case CornerPlacement::Moved:
                --cornerMovesLeft_;
                break;
            }
        }
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
