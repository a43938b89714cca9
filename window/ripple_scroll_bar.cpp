#include "window/ripple_scroll_bar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace lout {

RippleScrollBar::RippleScrollBar(QWidget* container) : QScrollBar(Qt::Vertical, container)
{
    setRange(0, 100);
    setSingleStep(1);
    setPageStep(1);
    setValue(0);
    // actionTriggered comes after the slider position has moved and before
    // the value follows it, so the position can still be set the other way.
    connect(this, &QAbstractSlider::actionTriggered, this, &RippleScrollBar::turnRound);
}

void RippleScrollBar::turnRound(int action)
{
    const int before = value();
    switch (action) {
    case SliderSingleStepSub:
        setSliderPosition(std::min(before + singleStep(), maximum()));
        break;
    case SliderSingleStepAdd:
        setSliderPosition(std::max(before - singleStep(), minimum()));
        break;
    case SliderPageStepSub:
        setSliderPosition(std::min(before + pageStep(), maximum()));
        break;
    case SliderPageStepAdd:
        setSliderPosition(std::max(before - pageStep(), minimum()));
        break;
    case SliderToMinimum:
        setSliderPosition(maximum());
        break;
    case SliderToMaximum:
        setSliderPosition(minimum());
        break;
    default:
        break;
    }
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
