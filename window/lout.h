#pragma once

#include "catalogue/core_catalogue.h"
#include "design/current_results.h"
#include "design/design_state.h"
#include "window/window_layout.h"

#include <QDialog>

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QPushButton;

namespace lout {

class CoreView;
class WaveformDiagram;

// Shows a failure to the user: its error number and message.
using ErrorPresenter = std::function<void(int number, const QString& message)>;

// The one window: inputs on the left, results in the middle and, on the
// right, the waveform diagram or the core drawing. It owns the design state
// and the catalogue's record set, and wires them together: every change of
// an input is stored in the design, every recomputation is shown in the
// results and drawn in the core view.
class Lout : public QDialog {
    Q_OBJECT
public:
    explicit Lout(ErrorPresenter presenter);
    ~Lout() override;

    // Start-up, before the window is shown: placement, the catalogue, the
    // model list, the default model and inputs. Throws CatalogueError.
    void startUp(const std::filesystem::path& catalogue);

    // The design as the latest input and recomputation left it.
    const DesignState& designState() const { return design_; }

signals:
    // After every recomputation of the design; the results and the core
    // drawing follow it.
    void recomputed();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectHandlers();

    // What a user's change (or a write by start-up) raises.
    void chooseModel();
    void secondaryVoltageChanged();
    void outputVoltageChanged();
    void outputCurrentChanged();
    void frequencyChanged();
    void rippleChanged();
    void updateDummyLoad();
    void toggleView();

    // A ripple typed into its box counts once the box is left or Enter is
    // pressed. Before a step of the spinner, a typed ripple not yet applied
    // becomes the spinner's value, quietly, so the step starts from it;
    // after the step, if the step left that value as it was, the typed
    // ripple is applied on its own.
    void applyTypedRipple();
    void takeTypedRippleBeforeStep();
    void applyRippleTakenBeforeStep();

    void recompute();
    // Which results of the latest recomputation the current inputs gave.
    CurrentResults currentResults() const;
    // Writes lab_Pram(0) to lab_Pram(4) from the design, "--" for a result
    // that is not current, and the readouts of the design as tooltips.
    void showResults();
    // Draws the chosen core and the winding; a failure ends the drawing and
    // leaves the results as they are.
    void drawCore();

    // Runs a handler raised by a control: during start-up a failure is kept
    // for startUp to rethrow; afterwards it is shown and the window stays.
    void runHandler(void (Lout::*handler)());
    void rethrowStartupFailure();

    ErrorPresenter presenter_;
    InputControls inputs_;
    ResultLabels results_;
    WaveformDiagram* diagram_ = nullptr;
    CoreView* coreView_ = nullptr;
    QPushButton* viewToggle_ = nullptr;

    DesignState design_;
    StoredResults storedResults_;
    ChangedInputs changedSinceRecomputation_;
    std::optional<CoreRecordSet> coreRecords_;
    std::string catalogueFile_;

    bool startingUp_ = false;
    std::exception_ptr startupFailure_;
    // A typed ripple set into the spinner before its step and not yet applied.
    bool rippleTakenBeforeStep_ = false;
};

} // namespace lout
