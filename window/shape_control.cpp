#include "window/shape_control.h"

#include <QPainter>

namespace lout {

ShapeControl::ShapeControl(QWidget* container, const QColor& fill, const QColor& edge)
    : QWidget(container), fill_(fill), edge_(edge)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), edge_);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), fill_);
}

} // namespace lout
