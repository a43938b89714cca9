#pragma once

#include <array>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace lout {

class CoreComboBox;
class RippleScrollBar;

// The design of the window itself: its title, icon, fixed dialog frame with
// only a close button, and its design size.
void shapeWindow(QDialog& window);

// Sets the client height so that the window, frame included, is 3400 twips
// high, but never below what the controls need. The frame is the window
// manager's, known once it has framed the window; until then a usual frame
// is assumed.
void fitOuterHeight(QWidget& window);

// Where the window stands once the window manager has framed it.
enum class CornerPlacement { NotFramedYet, AtCorner, Moved };

// Puts the frame, not the client area, at the top-left corner of the
// screen once the window manager has framed the window. A resize sent
// before the window manager's own move was known takes the client area back
// to the corner and pushes the frame off screen; this moves it back.
CornerPlacement placeFrameAtScreenCorner(QWidget& window);

// The inputs frame: the controls the window reads, each beside its
// caption (and unit), named for screen readers after them.
struct InputControls {
    QLineEdit* secondaryVoltage = nullptr;    // txt_U_2m
    QLineEdit* outputVoltage = nullptr;       // txt_Uout
    QLineEdit* outputCurrent = nullptr;       // txt_Iout
    QLineEdit* ripple = nullptr;              // txt_Wave
    QLineEdit* frequency = nullptr;           // txt_Fosc
    QLineEdit* dutyRatio = nullptr;           // txt_Dmax, shown only
    RippleScrollBar* rippleSpinner = nullptr; // croWave
    CoreComboBox* models = nullptr;           // cmb_Core
};
InputControls placeInputs(QWidget* window);

// The results frame: the captions and the result labels.
struct ResultLabels {
    std::array<QLabel*, 5> design{}; // lab_Pram(0) to lab_Pram(4)
    QLabel* dummyLoad = nullptr;     // lab_Pram(5)
};
ResultLabels placeResults(QWidget* window);

// The formula tips under the waveform diagram.
void placeFormulaTips(QWidget* window);

// The view toggle below the results.
QPushButton* placeViewToggle(QWidget* window);

} // namespace lout
