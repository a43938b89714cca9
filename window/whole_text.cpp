#include "window/whole_text.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace lout {

namespace {

// A control's own font is set to fit its text; the font it would have
// otherwise comes from its container.
QFont designFont(const QWidget& control)
{
    return control.parentWidget() ? control.parentWidget()->font() : QApplication::font(&control);
}

// What QLineEdit keeps free beside its text on either side.
constexpr int kLineEditSideMargin = 2;

} // namespace

FittedText ResultLabel::shownText() const
{
    return fitText(text(), font(), textBox().width());
}

QRect ResultLabel::textBox() const
{
    const int inset = indent() > 0 ? indent() : 0;
    QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const Qt::Alignment horizontal = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignRight)
        box.setRight(box.right() - inset);
    else if (horizontal & Qt::AlignLeft)
        box.setLeft(box.left() + inset);
    return box;
}

void ResultLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const FittedText shown = shownText();
    painter.setFont(shown.font);
    style()->drawItemText(&painter, textBox(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown.shown, foregroundRole());
}

ResultBox::ResultBox(const QString& text, QWidget* container) : QLineEdit(text, container)
{
    connect(this, &QLineEdit::textChanged, this, [this] {
        fitBoxFont(*this);
        // A long text shows from its sign and first digits.
        setCursorPosition(0);
    });
}

FittedText ResultBox::shownText() const
{
    return fitText(text(), designFont(*this), textRoom(*this));
}

// Only a text cut even at the smallest font is drawn here; every other one
// is the line edit's own, selection and all.
void ResultBox::paintEvent(QPaintEvent* event)
{
    const FittedText shown = shownText();
    if (shown.shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    QRect box = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    const QMargins margins = textMargins();
    box = box.marginsRemoved(margins).adjusted(kLineEditSideMargin, 0, -kLineEditSideMargin, 0);
    painter.setFont(shown.font);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, shown.shown);
}

int textRoom(const QLineEdit& box)
{
    QStyleOptionFrame panel;
    panel.initFrom(&box);
    panel.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, &box) : 0;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &panel, &box);
    const QMargins margins = box.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditSideMargin;
}

FittedText fitBoxFont(QLineEdit& box)
{
    const FittedText shown = fitText(box.text(), designFont(box), textRoom(box));
    if (box.font() != shown.font)
        box.setFont(shown.font);
    return shown;
}

} // namespace lout
