#pragma once

#include "drawing/circle_packing.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace lout {

// A winding-window picture. What is drawn goes into a kept backing image,
// so the drawing survives hiding, showing and repainting until the picture
// is next cleared, and it can be drawn while the picture is not on screen.
class WindingPicture : public QWidget {
public:
    explicit WindingPicture(QWidget* container);

    // Clears the picture to its background and draws the winding in
    // `colour`.
    void drawWinding(const Winding& winding, const QColor& colour);
    // Clears the picture to its background.
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor background() const;
    QSize backingSize() const;
    QImage freshImage() const;

    QImage image_;
};

} // namespace lout
