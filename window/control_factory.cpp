#include "window/control_factory.h"

#include "window/twips.h"

#include <QLabel>
#include <QPalette>

namespace lout {

namespace {
const char* const kFitsText = "fitsText";
}

void setColour(QWidget* widget, int role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(static_cast<QPalette::ColorRole>(role), colour);
    widget->setPalette(palette);
}

QLabel* placeLabel(QWidget* container, const QString& name, const QString& caption, double left, double top,
                   double width, double height, const QColor& textColour, bool fitsText)
{
    auto* label = new QLabel(container);
    label->setObjectName(name);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setTextFormat(Qt::PlainText);
    label->setProperty(kFitsText, fitsText);
    label->setGeometry(twipsRect(left, top, width, height));
    setColour(label, QPalette::WindowText, textColour);
    setCaption(label, caption);
    return label;
}

void setCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    if (label->property(kFitsText).toBool())
        label->resize(label->sizeHint());
}

} // namespace lout
