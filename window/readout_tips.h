#pragma once

#include "drawing/design_readouts.h"

class QWidget;

namespace lout {

// Shows the readouts of the design as tooltips of the controls they belong
// to, each tooltip also the control's accessible description so that a
// screen reader says it too: the winding fit on the turns and on both
// winding pictures, the gap with fringing on the gap, the copper on the
// strands. Controls are found in `window` by their names.
void showReadoutTips(QWidget& window, const DesignReadouts& readouts);

} // namespace lout
