#pragma once

#include "catalogue/core_catalogue.h"
#include "design/current_results.h"
#include "design/design_state.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QGroupBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lout {

class CoreComboBox;
class LineControl;
class RippleScrollBar;
class ShapeControl;
class WindingPicture;

// Shows a failure to the user: its error number and message.
using ErrorPresenter = std::function<void(int number, const QString& message)>;

// Every control of the window, by its name; arrays by their fixed indices.
struct LoutControls {
    QGroupBox* Frame1 = nullptr; // inputs
    QGroupBox* Frame2 = nullptr; // results
    QGroupBox* Frame3 = nullptr; // formula tips
    QGroupBox* Frame4 = nullptr; // core drawing
    QPushButton* Check1 = nullptr;

    QLineEdit* txt_U_2m = nullptr;
    QLineEdit* txt_Uout = nullptr;
    QLineEdit* txt_Iout = nullptr;
    QLineEdit* txt_Wave = nullptr;
    QLineEdit* txt_Fosc = nullptr;
    QLineEdit* txt_Dmax = nullptr;
    RippleScrollBar* croWave = nullptr;
    CoreComboBox* cmb_Core = nullptr;

    std::array<QLabel*, 7> Label1{};
    std::array<QLabel*, 6> Label2{};
    std::array<QLabel*, 16> Label3{};
    std::array<QLabel*, 6> lab_Pram{};
    std::array<QLabel*, 3> labTip{};

    QFrame* PicBox0 = nullptr; // waveform diagram
    std::array<WindingPicture*, 2> windingPictures{}; // PicBox(1), PicBox(2)
    std::array<ShapeControl*, 4> Shape1{};
    std::array<LineControl*, 8> linU2{};
    std::array<LineControl*, 4> linIout{};
    std::array<LineControl*, 10> linScale{};
    std::array<LineControl*, 6> linCoord{};
};

// The one window: inputs on the left, results in the middle and, on the
// right, the waveform diagram or the core drawing. It owns the design state,
// the open catalogue and the drawing state; its handlers carry the names of
// the controls and events that raise them.
class Lout : public QDialog {
    Q_OBJECT
public:
    explicit Lout(ErrorPresenter presenter);
    ~Lout() override;

    // Start-up, before the window is shown: placement, the catalogue, the
    // model list, the default model and inputs. Throws CatalogueError.
    void Form_Load(const std::filesystem::path& catalogue);

    // Handlers raised by the controls (also when code writes them).
    void cmb_Core_Click();
    void txt_U_2m_Change();
    void txt_Uout_Change();
    void txt_Iout_Change();
    void txt_Fosc_Change();
    void croWave_Change();
    void txt_Wave_Change();
    void Check1_Click();

    // Recomputes the design and redraws the core.
    void Ref_Pram();
    void Drw_Win();
    void Drw_Cir(WindingPicture& Pic, float H, float Kl, std::uint8_t Nx, std::uint8_t Ns, float Dx,
                 const QColor& Col);
    // Waits at least `mSec` milliseconds while the window handles its events.
    void Delay_mSec(int mSec);

    const DesignState& designState() const { return state_; }
    // How many recomputations have run since the window was made.
    long recomputations() const { return recomputations_; }
    // Whether a redraw is waiting for its events (Delay_mSec is running).
    bool isWaiting() const { return waitDepth_ > 0; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWindow();
    void buildInputs();
    void buildResults();
    void buildDiagram();
    void buildCoreView();
    void connectHandlers();
    void setFocusOrder();
    // Sets the client height so that the window, frame included, is 3400
    // twips high, but never below what the controls need.
    void fitOuterHeight();

    void applyTypedRipple();
    // Before a step of the spinner: a ripple typed into txt_Wave and not yet
    // applied becomes the spinner's value, quietly, so the step starts
    // from it. After the step: if the step left that value as it was, the
    // typed ripple is applied on its own.
    void takeTypedRippleBeforeStep();
    void applyRippleTakenBeforeStep();
    // Which results of the latest recomputation the current inputs gave.
    CurrentResults currentResults() const;
    // Writes lab_Pram(0) to lab_Pram(4) from the design state, "--" for a
    // result that is not current.
    void showResults();
    // Runs a handler raised by a control: during start-up a failure is kept
    // for Form_Load to rethrow; afterwards it is shown and the window stays.
    void runHandler(void (Lout::*handler)());
    void rethrowStartupFailure();

    LoutControls c_;
    ErrorPresenter presenter_;
    DesignState state_;
    StoredResults latestSteps_;
    ChangedInputs changedSinceRecomputation_;
    std::optional<CoreRecordSet> CorRD;
    std::string catalogueFile_;
    float Twip_per_mm = 0;
    std::uint64_t drawGeneration_ = 0;
    // Waits in progress, one inside the other.
    static constexpr int kMostNestedWaits = 8;
    int waitDepth_ = 0;
    long recomputations_ = 0;
    bool loading_ = false;
    // A typed ripple set into the spinner before its step and not yet applied.
    bool rippleTakenBeforeStep_ = false;
    std::exception_ptr startupFailure_;
};

} // namespace lout
