#include "window/frame_box.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lout {

FrameBox::FrameBox(const QString& caption, QWidget* container) : QGroupBox(caption, container) {}

void FrameBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int cell = font().pixelSize() > 0 ? font().pixelSize() : metrics.height();
    // The caption's baseline lies where a Chinese character's square ends.
    const int baseline = static_cast<int>(std::lround(0.88 * cell));
    const int borderTop = title().isEmpty() ? 0 : cell / 2;

    // Etched: a dark line with a light one just inside and below it.
    const QRect outer(0, borderTop, width() - 2, height() - borderTop - 2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(outer);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(outer.translated(1, 1));

    if (title().isEmpty())
        return;
    const int left = 6;
    const int textWidth = metrics.horizontalAdvance(title());
    painter.fillRect(QRect(left - 1, 0, std::min(textWidth + 2, width() - left), cell), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPoint(left, baseline), title());
}

} // namespace lout
