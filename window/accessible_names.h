#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace lout {

// Names a text box for screen readers after the caption on its left and
// its unit, where it has one: it is heard as "次级输出电压（V）, 56". The name
// is all they say of the box: a caption set as its label would be read in
// place of the name, without the unit.
void nameAfterCaption(QWidget* box, const QLabel* caption, const QString& unit = {});

// The model list: Qt on Linux names a combo box by its text, so screen
// readers take its caption from its label, the caption beside it.
void labelWithCaption(QWidget* control, QLabel* caption);

// A result label is heard as its caption followed by its text of the moment
// ("滤波电感 57.4 uH"), whatever the text is at the time it is read.
void readWithCaption(QLabel* result, QLabel* caption);

// A label without a caption whose text changes (the ripple in the diagram)
// is heard with its text of the moment, whenever it is read.
void readAsItChanges(QLabel* label);

} // namespace lout
