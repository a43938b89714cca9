#pragma once

#include <QComboBox>

namespace lout {

// The editable list of core models. `chosen` is raised when an entry is
// chosen from the list (mouse, arrow keys) or the selection is set by code;
// typing in the text field raises nothing, also when the typed text happens
// to name a model and the field is left or Enter is pressed.
class CoreComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CoreComboBox(QWidget* container);
    ~CoreComboBox() override;

signals:
    void chosen();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void indexChanged(int index);
    void entryActivated(int index);

    bool matchingTypedText_ = false;
    int lastChosen_ = -1;
};

} // namespace lout
