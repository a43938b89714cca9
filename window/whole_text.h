#pragma once

// Controls whose text is always drawn whole in their fixed box: a text
// wider than the box is drawn in a smaller font (fitted_text.h).
#include "window/fitted_text.h"

#include <QLabel>
#include <QLineEdit>

namespace lout {

// A result label: its text() stays what was written; only the drawing
// shrinks it to the box.
class ResultLabel : public QLabel {
public:
    explicit ResultLabel(QWidget* container) : QLabel(container) {}

    // The font and text as they are drawn now.
    FittedText shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The contents less the indent on the side the text is aligned to.
    QRect textBox() const;
};

// A text box that shows a result (the duty ratio): its font follows its
// text, and a text too long even for the smallest font is drawn elided at
// its right.
class ResultBox : public QLineEdit {
public:
    explicit ResultBox(const QString& text, QWidget* container);

    FittedText shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The width a line edit has for its text.
int textRoom(const QLineEdit& box);

// Gives `box` the font, no larger than its container's, in which its whole
// text fits (down to the smallest size; beyond that it scrolls as usual).
// Returns how the text is then drawn.
FittedText fitBoxFont(QLineEdit& box);

} // namespace lout
