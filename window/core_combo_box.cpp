#include "window/core_combo_box.h"

#include "catalogue/text_fold.h"
#include "window/event_wait.h"
#include "window/whole_text.h"

#include <QAbstractItemView>
#include <QScrollBar>

#include <QLineEdit>
#include <QSignalBlocker>

namespace lout {

CoreComboBox::CoreComboBox(QWidget* container) : QComboBox(container)
{
    auto* field = new QLineEdit(this);
    // QComboBox answers a finished edit whose text names an entry by
    // selecting that entry, comparing names its own way and without a
    // choice. Connections run in the order they were made, so these two
    // bracket the combo box's own handler, which setLineEdit adds: the first
    // keeps the typed text, the second takes it the catalogue's way.
    connect(field, &QLineEdit::editingFinished, this, [this] {
        matchingTypedText_ = true;
        typedText_ = lineEdit()->text();
    });
    setLineEdit(field);
    connect(field, &QLineEdit::editingFinished, this, &CoreComboBox::typingFinished);
    // A long name shows whole, in a smaller font.
    connect(field, &QLineEdit::textChanged, this, [field] { fitBoxFont(*field); });
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::currentIndexChanged, this, &CoreComboBox::indexChanged);
    connect(this, &QComboBox::activated, this, &CoreComboBox::entryActivated);
}

CoreComboBox::~CoreComboBox()
{
    QObject::disconnect(lineEdit(), nullptr, this, nullptr);
    QObject::disconnect(this, nullptr, this, nullptr);
}

int CoreComboBox::entryNamed(const QString& name) const
{
    const std::u32string wanted = foldedName(name.toStdString());
    for (int i = 0; i < count(); ++i)
        if (foldedName(itemText(i).toStdString()) == wanted)
            return i;
    return -1;
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

void CoreComboBox::showPopup()
{
    QAbstractItemView* list = view();
    const int frame = 2 * list->frameWidth();
    const int scrollBar = list->verticalScrollBar()->sizeHint().width();
    list->setMinimumWidth(list->sizeHintForColumn(0) + frame + scrollBar);
    QComboBox::showPopup();
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

// Enter, or the field left: the typed name is taken once a click that took
// the focus has been delivered, as a choice recomputes and redraws.
void CoreComboBox::typingFinished()
{
    matchingTypedText_ = false;
    const QString typed = typedText_;
    // Undo the combo box's own silent selection: until the typed name is
    // taken, the list shows the model the results belong to.
    if (lastChosen_ >= 0 && currentIndex() != lastChosen_) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(lastChosen_);
    }
    afterEditingFinished(*lineEdit(), this, [this, typed] { takeTypedName(typed); });
}

void CoreComboBox::takeTypedName(const QString& typed)
{
    if (lastChosen_ < 0)
        return; // nothing chosen yet: there is no name to put back
    const int index = entryNamed(typed);
    if (index < 0 || index == lastChosen_) {
        showChosenName();
        return;
    }
    // The list shows the last chosen model (typingFinished put it back), so
    // this is a change and raises `chosen` through indexChanged.
    setCurrentIndex(index);
}

void CoreComboBox::showChosenName()
{
    if (currentIndex() != lastChosen_) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(lastChosen_);
    }
    setEditText(itemText(lastChosen_));
    lineEdit()->setCursorPosition(0);
}

} // namespace lout
