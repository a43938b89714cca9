#include "window/winding_picture.h"

#include "drawing/winding_image.h"
#include "window/twips.h"

#include <QPainter>
#include <QResizeEvent>

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

QImage WindingPicture::freshImage() const
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(background());
    return image;
}

void WindingPicture::drawWinding(const Winding& winding, float& columnWidth, const QColor& colour)
{
    if (image_.size() != size() * devicePixelRatioF())
        image_ = freshImage();
    lout::drawWinding(image_, background(), winding, columnWidth, colour,
                      image_.devicePixelRatio() / kTwipsPerPixel);
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
