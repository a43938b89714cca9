#include "window/accessible_names.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace lout {

namespace {

// The caption a changing label is read with (empty for none); only labels
// that carry it get the interface below.
const char* const kCaption = "screenReaderCaption";

// Whether `widget` is shown once its window is: nothing up to the window
// was hidden on purpose. (Before a window is first shown, Qt counts every
// widget in it as hidden.)
bool shownWithItsWindow(const QWidget& widget)
{
    for (const QWidget* w = &widget; w && !w->isWindow(); w = w->parentWidget())
        if (w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            return false;
    return true;
}

// A label whose text changes (a result, the ripple in the diagram) as a
// screen reader sees it: static text named by its caption and its text of
// the moment. The label keeps no accessible name of its own, so Qt still
// announces every new text as a change of name.
class ChangingLabelAccessible : public QAccessibleWidget {
public:
    explicit ChangingLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const QLabel*>(widget());
        const QString caption = label->property(kCaption).toString();
        const QString shown = label->text().trimmed();
        if (t == QAccessible::Name)
            return shown.isEmpty() || caption.isEmpty() ? caption + shown : caption + QLatin1Char(' ') + shown;
        if (t == QAccessible::Value)
            return shown;
        return QAccessibleWidget::text(t);
    }

    // Start-up writes these labels while the window is still hidden. A
    // screen reader that hears of a label then keeps it as invisible for
    // good, as Qt later reports only that it shows, not that it is visible
    // (and Qt has no way to say visible but not yet showing): the label is
    // reported as shown whenever its window will show it.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (state.invisible && shownWithItsWindow(*widget()))
            state.invisible = false;
        return state;
    }
};

QAccessibleInterface* changingLabelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLabel") && object && object->isWidgetType()
        && object->property(kCaption).isValid())
        return new ChangingLabelAccessible(static_cast<QLabel*>(object));
    return nullptr;
}

void installChangingLabelFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(changingLabelFactory);
        return true;
    }();
    (void)installed;
}

// "次级输出电压：" -> "次级输出电压", "死 负 载：" -> "死负载".
QString captionOf(const QLabel* label)
{
    QString caption = label->text();
    caption.remove(QLatin1Char(' '));
    while (caption.endsWith(QChar(0xFF1A)) || caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption;
}

} // namespace

void nameAfterCaption(QWidget* box, const QLabel* caption, const QString& unit)
{
    const QString name = captionOf(caption);
    box->setAccessibleName(unit.isEmpty() ? name : name + QStringLiteral("（") + unit + QStringLiteral("）"));
}

void labelWithCaption(QWidget* control, QLabel* caption)
{
    caption->setBuddy(control);
    control->setAccessibleName(captionOf(caption));
}

void readWithCaption(QLabel* result, QLabel* caption)
{
    installChangingLabelFactory();
    caption->setBuddy(result);
    result->setProperty(kCaption, captionOf(caption));
}

void readAsItChanges(QLabel* label)
{
    installChangingLabelFactory();
    label->setProperty(kCaption, QString());
}

} // namespace lout
