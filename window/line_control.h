#pragma once

#include <QColor>
#include <QPointF>
#include <QWidget>

namespace lout {

// A straight line placed on its container at design time. It is a small,
// transparent child widget covering the line's bounding box so that it has
// a name and a place in the stacking order like any other control.
class LineControl : public QWidget {
public:
    // Ends in twips of the container; width in pixels.
    LineControl(QWidget* container, double x1, double y1, double x2, double y2, const QColor& colour,
                int widthPixels);

    QPointF start() const { return start_; } // container pixels
    QPointF end() const { return end_; }
    QColor colour() const { return colour_; }
    int lineWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF start_;
    QPointF end_;
    QColor colour_;
    int width_;
};

} // namespace lout
