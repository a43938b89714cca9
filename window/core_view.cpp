#include "window/core_view.h"

#include "window/control_factory.h"
#include "window/event_wait.h"
#include "window/system_colours.h"
#include "window/twips.h"
#include "window/winding_picture.h"

#include <QApplication>
#include <QPainter>

#include <cmath>

namespace lout {

namespace {

// Design widths that stand for the core's length A and the usable window
// width.
constexpr float kYokeWidthTwips = 2415;
constexpr float kWindowWidthTwips = 375;

// Before drawing, pending events are handled for this long.
constexpr int kRedrawWaitMs = 100;
// An input changed during a wait recomputes and waits again inside it. A
// held key or a burst of events would nest these waits without end and
// exhaust the stack, so past a few levels the newest redraw goes ahead at
// once and the events queue for the waits already running.
constexpr int kMostNestedWaits = 8;

const QColor kOutlineFill(128, 128, 255);
const QColor kOutlineEdge(255, 255, 255);
const QColor kWindingColour(255, 0, 0);

// A filled rectangle of the core outline: light blue with a white edge.
class OutlineShape : public QWidget {
public:
    OutlineShape(QWidget* container, int index, const QRect& place) : QWidget(container)
    {
        setObjectName(arrayMemberName("Shape1", index));
        setGeometry(place);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), kOutlineEdge);
        painter.fillRect(rect().adjusted(1, 1, -1, -1), kOutlineFill);
    }
};

} // namespace

CoreView::CoreView(QWidget* window)
    : FrameBox(window, QStringLiteral("Frame4"), QString(), twipsRect(4920, 2880, 2655, 2775))
{
    hide();
    // Yoke, left, centre and right leg. The yoke lies on top of the legs it
    // overlaps by a pixel.
    const QRect outline[] = {twipsRect(120, 240, kYokeWidthTwips, 375), twipsRect(120, 600, 375, 735),
                             twipsRect(960, 600, 750, 735), twipsRect(2160, 600, 375, 735)};
    for (int i = 3; i >= 1; --i)
        legs_.at(static_cast<std::size_t>(i - 1)) = new OutlineShape(this, i, outline[i]);
    new OutlineShape(this, 0, outline[0]);

    const SystemColours system = SystemColours::from(QApplication::palette());
    const double windowLefts[] = {600, 1680};
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        auto* picture = new WindingPicture(this);
        picture->setObjectName(arrayMemberName("PicBox", static_cast<int>(i) + 1));
        picture->setGeometry(twipsRect(windowLefts[i], 720, kWindowWidthTwips, 1215));
        setColour(picture, QPalette::Base, system.windowBackground);
        setColour(picture, QPalette::Text, system.windowText);
        windows_[i] = picture;
    }
}

void CoreView::setCoreGeometry(const std::optional<CoreDimensions>& core)
{
    ++passes_;
    layout_ = core ? layoutCoreWindow(*core, kYokeWidthTwips, kWindowWidthTwips) : CoreWindowLayout{};
    if (layout_.legHeight)
        for (QWidget* leg : legs_)
            leg->resize(leg->width(), twipsToWidgetSize(*layout_.legHeight));
    if (layout_.readyToDraw())
        for (WindingPicture* window : windows_)
            window->resize(window->width(), twipsToWidgetSize(*layout_.pictureHeight));
}

void CoreView::drawWinding(float turns, float strands, float wireDiameter)
{
    if (!layout_.readyToDraw()) {
        clearWindings();
        return;
    }
    const std::uint64_t pass = passes_;
    waitForPendingEvents();
    if (pass != passes_)
        return;
    const std::optional<std::uint8_t> turnCount = windingCount(turns);
    const std::optional<std::uint8_t> strandCount = windingCount(strands);
    if (!turnCount || !strandCount || !std::isfinite(wireDiameter)) {
        clearWindings();
        return;
    }
    const Winding winding{*layout_.usableHeight, *layout_.windowScale, *turnCount, *strandCount, wireDiameter};
    for (WindingPicture* window : windows_)
        window->drawWinding(winding, kWindingColour);
}

void CoreView::clearWindings()
{
    for (WindingPicture* window : windows_)
        window->clear();
}

void CoreView::waitForPendingEvents()
{
    if (waitsRunning_ >= kMostNestedWaits)
        return;
    ++waitsRunning_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{waitsRunning_};
    waitHandlingEvents(kRedrawWaitMs);
}

} // namespace lout
