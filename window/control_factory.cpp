#include "window/control_factory.h"

#include "window/fitted_text.h"
#include "window/twips.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace lout {

namespace {
const char* const kFitsText = "fitsText";
const char* const kRaise = "raiseIntoCell";
const char* const kDesignTop = "designTop";

// Where a Chinese character's square ends, as a part of the cell.
constexpr double kBaselineInCell = 0.88;

// The layout puts a label's character cell at the label's top. A face with taller ascent and descent
// (Noto's CJK faces reach 1.45 cells) would draw the text lower by the
// difference and cut off a bottom row such as the last formula tip; the
// label's text is raised by that much instead: the label keeps its top,
// ends that much higher and draws its text against its bottom, so the empty
// space above the characters falls outside it.
int raiseIntoCell(const QFont& font)
{
    return std::max(0, QFontMetrics(font).ascent() - characterCell(font).baseline);
}
} // namespace

CharacterCell characterCell(const QFont& font)
{
    const int height = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    return {height, static_cast<int>(std::lround(kBaselineInCell * height))};
}

QString arrayMemberName(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
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
    return placeLabel(new QLabel(container), name, caption, left, top, width, height, textColour, fitsText);
}

QLabel* placeLabel(QLabel* label, const QString& name, const QString& caption, double left, double top,
                   double width, double height, const QColor& textColour, bool fitsText)
{
    label->setObjectName(name);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setTextFormat(Qt::PlainText);
    label->setProperty(kFitsText, fitsText);
    if (fitsText) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        label->setProperty(kRaise, raiseIntoCell(label->font()));
    }
    label->setGeometry(twipsRect(left, top, width, height));
    label->setProperty(kDesignTop, label->y());
    setColour(label, QPalette::WindowText, textColour);
    setCaption(label, caption);
    return label;
}

void setCaptionEndingBy(QLabel* label, const QString& caption, int right)
{
    // The baseline the label's text has in its design font.
    const QFont design = label->parentWidget() ? label->parentWidget()->font() : QFont();
    const auto bottomOf = [](const QFont& font) { return QFontMetrics(font).height() - raiseIntoCell(font); };
    const int baseline = label->property(kDesignTop).toInt() + bottomOf(design) - QFontMetrics(design).descent();

    const QFont font = fitText(caption, design, right - label->x()).font;
    label->setFont(font);
    label->setProperty(kRaise, raiseIntoCell(font));
    label->move(label->x(), baseline + QFontMetrics(font).descent() - bottomOf(font));
    setCaption(label, caption);
}

void setCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    if (label->property(kFitsText).toBool()) {
        // One line of text, less what lies above the character cell.
        const int height = QFontMetrics(label->font()).height() - label->property(kRaise).toInt();
        label->resize(label->sizeHint().width(), height);
    }
}

} // namespace lout
