#pragma once

#include <QScrollBar>

namespace lout {

// The ripple spinner: a vertical scroll bar only as tall as its two arrows,
// holding 0..100 per cent. Its top arrow raises the value and its bottom
// arrow lowers it (so do Up/Down, PageUp/PageDown and the wheel), the way a
// bar whose top end is its largest value behaves. Qt's bar always puts its
// minimum at the top, so every step is turned round as it is triggered.
//
// Around every step the user starts (a click, the wheel, a key) it raises
// `aboutToStep` before the step and `stepDone` after it, whether or not the
// value changed.
class RippleScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit RippleScrollBar(QWidget* container);

    // The value at the top end (100): the ripple ratio is value / topValue.
    int topValue() const { return maximum(); }

signals:
    void aboutToStep();
    void stepDone();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void turnRound(int action);
};

} // namespace lout
