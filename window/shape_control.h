#pragma once

#include <QColor>
#include <QWidget>

namespace lout {

// A filled rectangle of the core outline: light blue with a white edge.
// Its height follows the chosen core; its width stays as designed.
class ShapeControl : public QWidget {
public:
    ShapeControl(QWidget* container, const QColor& fill, const QColor& edge);

    QColor fillColour() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    QColor edge_;
};

} // namespace lout
