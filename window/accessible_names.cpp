#include "window/accessible_names.h"

#include "window/core_combo_box.h"
#include "window/lout.h"
#include "window/ripple_scroll_bar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

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

QString withUnit(const QString& caption, const QLabel* unit)
{
    return caption + QStringLiteral("（") + unit->text() + QStringLiteral("）");
}

} // namespace

void nameControlsForScreenReaders(const LoutControls& c)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(resultLabelFactory);
        return true;
    }();
    (void)factoryInstalled;

    // Each caption labels the control to its right: screen readers on Linux
    // take a combo box's caption from this relation alone.
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {c.Label1[5], c.txt_U_2m}, {c.Label1[6], c.txt_Uout}, {c.Label1[0], c.txt_Iout},
        {c.Label1[1], c.txt_Wave}, {c.Label1[2], c.txt_Fosc}, {c.Label1[3], c.txt_Dmax},
        {c.Label1[4], c.cmb_Core}};
    for (const auto& [caption, control] : labelled)
        caption->setBuddy(control);
    for (std::size_t i = 0; i < c.lab_Pram.size(); ++i)
        c.Label2[i]->setBuddy(c.lab_Pram[i]);

    // Inputs, each named by the caption on its left and the unit on its
    // right; the ripple and the duty ratio show their per cent in the box.
    c.txt_U_2m->setAccessibleName(withUnit(captionOf(c.Label1[5]), c.Label3[13]));
    c.txt_Uout->setAccessibleName(withUnit(captionOf(c.Label1[6]), c.Label3[14]));
    c.txt_Iout->setAccessibleName(withUnit(captionOf(c.Label1[0]), c.Label3[12]));
    c.txt_Wave->setAccessibleName(captionOf(c.Label1[1]));
    c.txt_Fosc->setAccessibleName(withUnit(captionOf(c.Label1[2]), c.Label3[11]));
    c.txt_Dmax->setAccessibleName(captionOf(c.Label1[3]));

    // The ripple arrows step the ripple in whole per cent.
    c.croWave->setAccessibleName(captionOf(c.Label1[1]) + QStringLiteral("（%）"));
    c.croWave->setAccessibleDescription(QStringLiteral("上箭头把电流纹波加大 1%，下箭头减小 1%"));

    // The model list, and the text field in which a model can be typed.
    const QString models = captionOf(c.Label1[4]);
    c.cmb_Core->setAccessibleName(models);
    if (QLineEdit* field = c.cmb_Core->lineEdit())
        field->setAccessibleName(models);

    c.Check1->setAccessibleName(c.Check1->text());
    c.Check1->setAccessibleDescription(QStringLiteral("按下时显示磁芯和绕组，弹起时显示电压和电流的波形"));

    // Results: caption and value, read afresh every time.
    for (std::size_t i = 0; i < c.lab_Pram.size(); ++i)
        c.lab_Pram[i]->setProperty(kCaption, captionOf(c.Label2[i]));
}

} // namespace lout
