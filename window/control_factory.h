#pragma once

#include <QColor>
#include <QString>

class QFont;
class QLabel;
class QWidget;

namespace lout {

// The character cell the layout is measured in: as tall as the font's pixel
// size, with the baseline where a Chinese character's square ends.
struct CharacterCell {
    int height;
    int baseline;
};
CharacterCell characterCell(const QFont& font);

// A label placed in twips with its text colour. A label that fits its text
// keeps its left and top and takes the size of its caption.
QLabel* placeLabel(QWidget* container, const QString& name, const QString& caption, double left, double top,
                   double width, double height, const QColor& textColour, bool fitsText = true);
// The same for a label of a kind of its own, made by the caller.
QLabel* placeLabel(QLabel* label, const QString& name, const QString& caption, double left, double top,
                   double width, double height, const QColor& textColour, bool fitsText = true);

// Writes a caption and, for a label that fits its text, refits it.
void setCaption(QLabel* label, const QString& caption);

// The same for a label that fits its text and must end at `right` (in its
// container's pixels): a caption that would reach beyond is written in a
// smaller font, on the same baseline.
void setCaptionEndingBy(QLabel* label, const QString& caption, int right);

// The name of member `index` of a control array, as "Label3(10)".
QString arrayMemberName(const char* array, int index);

// Sets one colour role of a widget's own palette.
void setColour(QWidget* widget, int role, const QColor& colour);

} // namespace lout
