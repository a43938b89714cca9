#include "window/frame_box.h"

#include "window/control_factory.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace lout {

FrameBox::FrameBox(QWidget* container, const QString& name, const QString& caption, const QRect& place)
    : QGroupBox(caption, container)
{
    setObjectName(name);
    setGeometry(place);
    setAutoFillBackground(true);
}

void FrameBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const CharacterCell cell = characterCell(font());
    const int borderTop = title().isEmpty() ? 0 : cell.height / 2;

    // Etched: a dark line with a light one just inside and below it.
    const QRect outer(0, borderTop, width() - 2, height() - borderTop - 2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(outer);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(outer.translated(1, 1));

    if (title().isEmpty())
        return;
    // The caption interrupts the border near the left edge.
    const int left = 6;
    const int textWidth = QFontMetrics(font()).horizontalAdvance(title());
    painter.fillRect(QRect(left - 1, 0, std::min(textWidth + 2, width() - left), cell.height),
                     palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPoint(left, cell.baseline), title());
}

} // namespace lout
