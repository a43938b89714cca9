#pragma once

#include "drawing/design_readouts.h"

class QWidget;

namespace lout {

// Shows the readouts of the design as tooltips of the controls they belong
// to, each tooltip also the control's accessible description so that a
// screen reader says it too: the winding fit on the turns (lab_Pram(1)) and
// on both winding pictures (PicBox(1), PicBox(2)), the gap with fringing on
// the gap (lab_Pram(2)), the copper on the strands (lab_Pram(4)). Controls
// are found in `window` by their names.
void showReadoutTips(QWidget& window, const DesignReadouts& readouts);

} // namespace lout
