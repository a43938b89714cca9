#include "window/winding_picture.h"

#include "drawing/winding_image.h"
#include "window/twips.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace lout {

WindingPicture::WindingPicture(QWidget* container) : QWidget(container)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = freshImage();
}

QColor WindingPicture::background() const
{
    return palette().color(QPalette::Base);
}

// The part of the picture its container can show: a very tall window
// picture is clipped by its frame, and its backing image need not be larger.
QSize WindingPicture::backingSize() const
{
    QSize shown = size();
    if (const QWidget* container = parentWidget())
        shown.setHeight(std::clamp(container->height() - y(), 0, shown.height()));
    return shown * devicePixelRatioF();
}

QImage WindingPicture::freshImage() const
{
    const qreal ratio = devicePixelRatioF();
    QImage image(backingSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(background());
    return image;
}

void WindingPicture::drawWinding(const Winding& winding, const QColor& colour)
{
    if (image_.size() != backingSize())
        image_ = freshImage();
    lout::drawWinding(image_, background(), winding, colour, image_.devicePixelRatio() / kTwipsPerPixel);
    update();
}

void WindingPicture::clear()
{
    image_ = freshImage();
    update();
}

void WindingPicture::resizeEvent(QResizeEvent* event)
{
    // A new size keeps what was drawn at the top left and shows the
    // background in the part that is new.
    QImage resized = freshImage();
    QPainter painter(&resized);
    painter.drawImage(QPoint(0, 0), image_);
    painter.end();
    image_ = resized;
    QWidget::resizeEvent(event);
}

void WindingPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
}

} // namespace lout
