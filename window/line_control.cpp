#include "window/line_control.h"

#include "window/twips.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lout {

LineControl::LineControl(QWidget* container, double x1, double y1, double x2, double y2, const QColor& colour,
                         int widthPixels)
    : QWidget(container),
      start_(x1 / kTwipsPerPixel, y1 / kTwipsPerPixel),
      end_(x2 / kTwipsPerPixel, y2 / kTwipsPerPixel),
      colour_(colour),
      width_(widthPixels)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Room for the pen's half width and its round caps on every side.
    const int pad = width_ / 2 + 1;
    const int left = static_cast<int>(std::floor(std::min(start_.x(), end_.x()))) - pad;
    const int top = static_cast<int>(std::floor(std::min(start_.y(), end_.y()))) - pad;
    const int right = static_cast<int>(std::ceil(std::max(start_.x(), end_.x()))) + pad;
    const int bottom = static_cast<int>(std::ceil(std::max(start_.y(), end_.y()))) + pad;
    setGeometry(left, top, right - left + 1, bottom - top + 1);
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPointF offset(x(), y());
    const QPointF a = start_ - offset;
    const QPointF b = end_ - offset;
    if (a.x() == b.x() || a.y() == b.y()) {
        // Level and upright lines cover whole pixels: a pen of width w
        // covers w rows (or columns) centred on the coordinate, and its
        // square ends reach w/2 beyond the end points.
        const int half = width_ / 2;
        const int x0 = static_cast<int>(std::lround(std::min(a.x(), b.x())));
        const int x1 = static_cast<int>(std::lround(std::max(a.x(), b.x())));
        const int y0 = static_cast<int>(std::lround(std::min(a.y(), b.y())));
        const int y1 = static_cast<int>(std::lround(std::max(a.y(), b.y())));
        const QRect covered = a.y() == b.y()
            ? QRect(QPoint(x0 - half, y0 - half), QPoint(x1 + (width_ - 1) - half, y0 + (width_ - 1) - half))
            : QRect(QPoint(x0 - half, y0 - half), QPoint(x0 + (width_ - 1) - half, y1 + (width_ - 1) - half));
        painter.fillRect(covered, colour_);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(a, b);
}

} // namespace lout
