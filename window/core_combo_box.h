#pragma once

#include <QComboBox>

namespace lout {

// The editable list of core models. `chosen` is raised when an entry is
// chosen from the list (mouse, arrow keys), when the selection is set by
// code, and when Enter is pressed in the text field or the field is left
// while it holds the name of another model. A name of no model is replaced
// by the chosen model's name. Entries are never added or removed by typing.
class CoreComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CoreComboBox(QWidget* container);
    ~CoreComboBox() override;

signals:
    void chosen();

public:
    // Opens the list, as wide as its longest name.
    void showPopup() override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    // The first entry whose name equals `name` as the catalogue compares
    // model names (letter case aside), or -1.
    int entryNamed(const QString& name) const;
    void indexChanged(int index);
    void entryActivated(int index);
    void typingFinished();
    void takeTypedName(const QString& typed);
    void showChosenName();

    bool matchingTypedText_ = false;
    QString typedText_;
    int lastChosen_ = -1;
};

} // namespace lout
