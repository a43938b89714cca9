#include "window/readout_tips.h"

#include <QWidget>

#include <string>

namespace lout {

namespace {

void tell(QWidget& window, const char* control, const std::string& text)
{
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(control));
    if (!widget)
        return;
    const QString tip = QString::fromStdString(text);
    widget->setToolTip(tip);
    widget->setAccessibleDescription(tip);
}

} // namespace

void showReadoutTips(QWidget& window, const DesignReadouts& readouts)
{
    const std::string fit = windingFitText(readouts.fit);
    for (const char* control : {"lab_Pram(1)", "PicBox(1)", "PicBox(2)"})
        tell(window, control, fit);
    tell(window, "lab_Pram(2)", fringedGapText(readouts.fringedGap));
    tell(window, "lab_Pram(4)", copperText(readouts.copper));
}

} // namespace lout
