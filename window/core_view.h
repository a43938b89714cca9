#pragma once

#include "drawing/core_window.h"
#include "window/frame_box.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lout {

class WindingPicture;

// The core drawing: the chosen core's outline, a yoke with three legs
// hanging from it, and its two winding windows with the winding's wires
// packed into them. The yoke and the windows keep their design widths: the yoke
// stands for the core's length A, each window for its usable width.
//
// A drawing pass sets the core's geometry, then draws the winding after a
// wait in which the window handles its pending events. A change handled
// during that wait runs a pass of its own; the interrupted pass then draws
// nothing, so the newest pass always has the last word.
class CoreView : public FrameBox {
public:
    explicit CoreView(QWidget* window);

    // Starts a drawing pass: scales the legs and the winding windows to
    // `core` as far as its numbers allow (nothing without a core).
    void setCoreGeometry(const std::optional<CoreDimensions>& core);

    // Waits 100 ms while the window handles its pending events, then draws
    // `turns` turns of `strands` wires `wireDiameter` mm thick into both
    // winding windows, unless a newer pass began during the wait. When there
    // is no winding to draw (the core's geometry left nothing to draw into,
    // at once; after the wait, counts that are not whole numbers a window can
    // hold, 0 to 255, or a diameter that is not a number, such as results the
    // inputs did not produce), both windows are cleared to their background:
    // they never show a winding other than the one the results describe.
    void drawWinding(float turns, float strands, float wireDiameter);

    // Clears both winding windows: there is no winding to show.
    void clearWindings();

private:
    // Waits for pending events, nested waits included; past a few nested
    // waits it returns at once.
    void waitForPendingEvents();

    std::array<QWidget*, 3> legs_{};
    std::array<WindingPicture*, 2> windows_{};
    CoreWindowLayout layout_;
    // Counts drawing passes, so that a pass knows whether it is the newest.
    std::uint64_t passes_ = 0;
    // Waits in progress, one inside the other.
    int waitsRunning_ = 0;
};

} // namespace lout
