// The core picture: the outline and the two winding windows scaled to the
// chosen core, and the winding packed into each window.
#include "window/lout.h"

#include "drawing/core_window.h"
#include "window/event_wait.h"
#include "window/shape_control.h"
#include "window/twips.h"
#include "window/winding_picture.h"

#include <cstddef>

namespace lout {

namespace {
// Design widths that stand for the core's length A and the usable window
// width.
constexpr float kYokeWidthTwips = 2415;
constexpr float kWindowPictureWidthTwips = 375;
const QColor kWindingColour(255, 0, 0);
} // namespace

void Lout::Drw_Win()
{
    // Every pass stands for the newest inputs; an older pass that is still
    // waiting must not draw over it afterwards.
    const std::uint64_t pass = ++drawGeneration_;
    if (!CorRD)
        return;
    CoreDimensions row{textValue(CorRD->field(std::size_t{0})), {}};
    for (std::size_t i = 0; i < row.millimetres.size(); ++i)
        row.millimetres[i] = numericValue(CorRD->field(i + 2));

    const CoreWindowLayout layout = layoutCoreWindow(row, kYokeWidthTwips, kWindowPictureWidthTwips);
    if (layout.outlineScale)
        Twip_per_mm = *layout.outlineScale;
    if (layout.legHeight) {
        for (std::size_t leg = 1; leg <= 3; ++leg) {
            ShapeControl* shape = c_.Shape1.at(leg);
            shape->resize(shape->width(), twipsToWidgetSize(*layout.legHeight));
        }
    }
    if (layout.windowScale)
        Twip_per_mm = *layout.windowScale;
    if (!layout.readyToDraw())
        return;
    for (WindingPicture* picture : c_.windingPictures)
        picture->resize(picture->width(), twipsToWidgetSize(*layout.pictureHeight));

    Delay_mSec(100);
    if (pass != drawGeneration_)
        return;

    const float usableHeight = *layout.usableHeight;
    for (WindingPicture* picture : c_.windingPictures) {
        // Read afresh for each picture.
        const std::optional<std::uint8_t> turns = windingCount(state_.turns);
        const std::optional<std::uint8_t> strands = windingCount(state_.strands);
        if (!turns || !strands)
            return;
        Drw_Cir(*picture, usableHeight, Twip_per_mm, *turns, *strands, state_.wireDiameter, kWindingColour);
    }
}

void Lout::Drw_Cir(WindingPicture& Pic, float H, float Kl, std::uint8_t Nx, std::uint8_t Ns, float Dx,
                   const QColor& Col)
{
    Pic.drawWinding(Winding{H, Kl, Nx, Ns, Dx}, Col);
}

void Lout::Delay_mSec(int mSec)
{
    // An input changed during a wait recomputes and waits again inside it.
    // A held key or a burst of events would nest these waits without end and
    // exhaust the stack, so past a few levels the newest redraw goes ahead at
    // once and the events queue for the waits already running.
    if (waitDepth_ >= kMostNestedWaits)
        return;
    ++waitDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{waitDepth_};
    waitHandlingEvents(mSec);
}

} // namespace lout
