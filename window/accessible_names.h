#pragma once

class QLabel;
class QWidget;

namespace lout {

// Names `control` for screen readers after the caption on its left and the
// unit on its right, where there is one: it is heard as "次级输出电压（V）,
// 56". The caption becomes the control's label, which is what screen readers
// on Linux take a combo box's caption from.
void nameAfterCaption(QWidget* control, QLabel* caption, const QLabel* unit = nullptr);

// A result label is heard as its caption followed by its text of the moment
// ("滤波电感 57.4 uH"), whatever the text is at the time it is read.
void readWithCaption(QLabel* result, QLabel* caption);

} // namespace lout
