#include "window/ripple_scroll_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace lout {

namespace {
// The ripple in whole per cent, from 0 at the bottom to 100 at the top.
constexpr int kBottomPercent = 0;
constexpr int kTopPercent = 100;
} // namespace

RippleScrollBar::RippleScrollBar(QWidget* container) : QScrollBar(Qt::Vertical, container)
{
    setRange(kBottomPercent, kTopPercent);
    setSingleStep(1);
    setPageStep(1);
    setValue(kBottomPercent);
    // actionTriggered comes after the slider position has moved and before
    // the value follows it, so the position can still be set the other way.
    connect(this, &QAbstractSlider::actionTriggered, this, &RippleScrollBar::turnRound);
}

void RippleScrollBar::turnRound(int action)
{
    // What Qt would take towards its minimum goes towards the top end.
    int towardsTop = 0;
    switch (action) {
    case SliderSingleStepSub: towardsTop = singleStep(); break;
    case SliderSingleStepAdd: towardsTop = -singleStep(); break;
    case SliderPageStepSub: towardsTop = pageStep(); break;
    case SliderPageStepAdd: towardsTop = -pageStep(); break;
    case SliderToMinimum: towardsTop = maximum() - value(); break;
    case SliderToMaximum: towardsTop = minimum() - value(); break;
    default: return;
    }
    setSliderPosition(std::clamp(value() + towardsTop, minimum(), maximum()));
}

void RippleScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QScrollBar::mousePressEvent(event);
        return;
    }
    emit aboutToStep();
    QScrollBar::mousePressEvent(event); // the first step is taken at the press
    emit stepDone();
}

void RippleScrollBar::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    // Wheel up is the top arrow.
    emit aboutToStep();
    triggerAction(delta > 0 ? SliderSingleStepSub : SliderSingleStepAdd);
    event->accept();
    emit stepDone();
}

void RippleScrollBar::keyPressEvent(QKeyEvent* event)
{
    emit aboutToStep();
    QScrollBar::keyPressEvent(event);
    emit stepDone();
}

} // namespace lout
