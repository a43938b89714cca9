#include "window/core_combo_box.h"

#include <QLineEdit>

namespace lout {

CoreComboBox::CoreComboBox(QWidget* container) : QComboBox(container)
{
    auto* field = new QLineEdit(this);
    // QComboBox answers a finished edit whose text names an entry by
    // selecting that entry. Connections run in the order they were made, so
    // these two bracket the combo box's own handler, which setLineEdit adds.
    connect(field, &QLineEdit::editingFinished, this, [this] { matchingTypedText_ = true; });
    setLineEdit(field);
    connect(field, &QLineEdit::editingFinished, this, [this] { matchingTypedText_ = false; });
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::currentIndexChanged, this, &CoreComboBox::indexChanged);
    connect(this, &QComboBox::activated, this, &CoreComboBox::entryActivated);
}

CoreComboBox::~CoreComboBox()
{
    QObject::disconnect(lineEdit(), nullptr, this, nullptr);
    QObject::disconnect(this, nullptr, this, nullptr);
}

void CoreComboBox::indexChanged(int index)
{
    if (matchingTypedText_ || index < 0)
        return;
    lastChosen_ = index;
    // A long model name shows from its first letter, not scrolled to its end.
    lineEdit()->setCursorPosition(0);
    emit chosen();
}

void CoreComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    // Focus selects the whole name with the cursor at its end, which scrolls
    // a long name out of the field's start; keep it selected from the start.
    QLineEdit* field = lineEdit();
    const qsizetype length = field->text().size();
    if (length > 0 && field->selectedText().size() == length)
        field->setSelection(static_cast<int>(length), -static_cast<int>(length));
}

// Choosing from the list the entry that typing had silently selected still
// counts as a choice.
void CoreComboBox::entryActivated(int index)
{
    if (matchingTypedText_ || index < 0 || index == lastChosen_)
        return;
    lastChosen_ = index;
    emit chosen();
}

} // namespace lout
