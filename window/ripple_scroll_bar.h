#pragma once

#include <QScrollBar>

namespace lout {

// The ripple spinner: a vertical scroll bar only as tall as its two arrows,
// holding 0..100 per cent. Its top arrow raises the value and its bottom
// arrow lowers it (so do Up/Down, PageUp/PageDown and the wheel), the way a
// bar whose top end is its largest value behaves. Qt's bar always puts its
// minimum at the top, so every step is turned round as it is triggered.
class RippleScrollBar : public QScrollBar {
public:
    explicit RippleScrollBar(QWidget* container);

    // The value at the top end (100): the ripple ratio is value / topValue.
    int topValue() const { return maximum(); }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void turnRound(int action);
};

} // namespace lout
