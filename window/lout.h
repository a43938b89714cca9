#pragma once

#include "catalogue/core_catalogue.h"
#include "design/design_calculation.h"
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
// right, the waveform diagram or the core drawing. It holds the catalogue's
// cores and the design, and wires them together: each handler stores its
// input and recomputes the design, and every recomputation is shown in the
// results and drawn in the core view.
class Lout : public QDialog {
    Q_OBJECT
public:
    explicit Lout(ErrorPresenter presenter);
    ~Lout() override;

    // Start-up, before the window is shown: placement, the catalogue, the
    // model list, the default model and inputs. Throws CatalogueError.
    void startUp(const std::filesystem::path& catalogue);

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
    // Writes every result and the duty ratio from the design, "--" for a
    // result that is not current, and the readouts of the design as tips.
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

    CoreCatalogue catalogue_;
    // The catalogue's core chosen last; none before the first choice.
    std::optional<std::size_t> chosenCore_;
    DesignResult design_;

    bool startingUp_ = false;
    // Moves left to put the framed window at the screen's corner; none once
    // it stood there, so that the user may move it anywhere.
    int cornerMovesLeft_ = 0;
    std::exception_ptr startupFailure_;
    // A typed ripple set into the spinner before its step and not yet applied.
    bool rippleTakenBeforeStep_ = false;
};

} // namespace lout
