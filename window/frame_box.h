#pragma once

#include <QGroupBox>

namespace lout {

// A frame drawn the way the layout is measured: an etched border whose top
// runs through the middle of the caption's character cell, the caption
// interrupting it near the left edge. The rows inside start one cell below
// the frame's top, so the border stays clear of them. Frames are opaque: one
// lying on another hides it.
class FrameBox : public QGroupBox {
public:
    FrameBox(QWidget* container, const QString& name, const QString& caption, const QRect& place);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lout
