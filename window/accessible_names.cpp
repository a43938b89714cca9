#include "window/accessible_names.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace lout {

namespace {

// The caption a result label is read with; only labels that carry it get
// the interface below.
const char* const kCaption = "screenReaderCaption";

// A result label as a screen reader sees it: static text named by its
// caption and its text of the moment. The label keeps no accessible name of
// its own, so Qt still announces every new text as a change of name.
class ResultLabelAccessible : public QAccessibleWidget {
public:
    explicit ResultLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const QLabel*>(widget());
        const QString caption = label->property(kCaption).toString();
        const QString shown = label->text().trimmed();
        if (t == QAccessible::Name)
            return shown.isEmpty() ? caption : caption + QLatin1Char(' ') + shown;
        if (t == QAccessible::Value)
            return shown;
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* resultLabelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLabel") && object && object->isWidgetType()
        && object->property(kCaption).isValid())
        return new ResultLabelAccessible(static_cast<QLabel*>(object));
    return nullptr;
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

void nameAfterCaption(QWidget* control, QLabel* caption, const QLabel* unit)
{
    caption->setBuddy(control);
    const QString name = captionOf(caption);
    control->setAccessibleName(unit ? name + QStringLiteral("（") + unit->text() + QStringLiteral("）") : name);
}

void readWithCaption(QLabel* result, QLabel* caption)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(resultLabelFactory);
        return true;
    }();
    (void)factoryInstalled;
    caption->setBuddy(result);
    result->setProperty(kCaption, captionOf(caption));
}

} // namespace lout
