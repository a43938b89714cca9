#pragma once

namespace lout {

struct LoutControls;

// Gives every control a screen reader stops at a name from the caption
// beside it (and the unit), so that it is heard as "次级输出电压（V）, 56"
// or, for a result, "滤波电感 57.4 uH": a result label's name is its caption
// followed by its current text, whatever the text is at the time it is read.
void nameControlsForScreenReaders(const LoutControls& controls);

} // namespace lout
