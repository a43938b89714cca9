// What the window says is whole and in Chinese: result, duty-ratio, model
// and ripple texts drawn whole in their fixed boxes at either pixel ratio,
// Qt's own texts translated, every control heard with its unit.
#include "window_fixture.h"

#include "window/whole_text.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QMenu>
#include <QMessageBox>

using namespace lout::testing;

namespace {

// The box, in device pixels of `image`, that holds every pixel of its ink.
template <class IsInk>
QRect inkBounds(const QImage& image, IsInk isInk)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage rendered(QWidget& widget, qreal ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

// `shown` is drawn whole in red within `box` (logical pixels) of `widget`:
// nothing reaches the box's edge and the ink is as wide as the text.
void checkDrawnWhole(QWidget& widget, const QRect& box, const FittedText& shown)
{
    for (const qreal ratio : {1.0, 2.0}) {
        const QRect ink = inkBounds(rendered(widget, ratio), [](const QColor& p) { return isRed(p.rgb()); });
        const QRect inside(box.topLeft() * ratio, box.size() * ratio);
        QVERIFY2(inside.adjusted(1, 1, -1, -1).contains(ink),
                 qPrintable(QStringLiteral("%1 at %2: ink %3,%4 %5x%6")
                                .arg(shown.shown).arg(ratio).arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
        // An ellipsis may carry more space than ink.
        const QFontMetricsF metrics(shown.font);
        const double advance = metrics.horizontalAdvance(shown.shown);
        const double least = shown.shown.endsWith(QChar(0x2026)) ? metrics.horizontalAdvance(shown.shown.chopped(1)) : advance;
        QVERIFY2(ink.width() / ratio >= least - 2.0 && ink.width() / ratio <= advance + 2.0, qPrintable(shown.shown));
    }
}

} // namespace

class WindowTexts : public FreshWindowSuite {
    Q_OBJECT

private slots:
    // Negative, long and huge results keep their sign and every digit,
    // shrinking the font only as far as they need; past the smallest font
    // the leading digits stay and the rest is elided.
    void aResultIsDrawnWholeInItsBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shrunk");
        QTest::addColumn<bool>("elided");
        for (const char* text : {"57.4 uH", "95Ω", "-- 股", "0.42 mm", "-2.9 uH", "-∞ uH", "-712 匝"})
            QTest::addRow("%s", text) << QString::fromUtf8(text) << false << false;
        for (const char* text : {"-308.8 uH", "2871.4 uH", "657.9 uH", "131.6 uH", "-35.79 mm", "-1234567.9 uH",
                                 "16777216 股", "-2871 匝", "1000000000 匝"})
            QTest::addRow("%s", text) << QString::fromUtf8(text) << true << false;
        QTest::addRow("a 39-digit count") << QStringLiteral("340282346638528859811704183484516925440 股") << true
                                          << true;
    }

    void aResultIsDrawnWholeInItsBox()
    {
        QFETCH(QString, text);
        QFETCH(bool, shrunk);
        QFETCH(bool, elided);
        auto* label = w_->get<ResultLabel>("lab_Pram(0)");
        const QRect box = label->geometry();
        label->setText(text);
        QCOMPARE(label->geometry(), box);
        QCOMPARE(label->text(), text);
        const FittedText shown = label->shownText();
        QCOMPARE(shown.font.pixelSize() < 12, shrunk);
        QCOMPARE(shown.shown != text, elided);
        if (elided)
            QVERIFY(shown.shown.endsWith(QChar(0x2026)) && text.startsWith(shown.shown.chopped(1)));
        // Just small enough: one pixel more and it would not fit.
        QFont larger = shown.font;
        larger.setPixelSize(shown.font.pixelSize() + 1);
        if (shrunk && !elided)
            QVERIFY(QFontMetricsF(larger).horizontalAdvance(text) + 1 > label->contentsRect().width() - label->indent());
        checkDrawnWhole(*label, label->contentsRect(), shown);
    }

    // The duty-ratio box shows a huge ratio from its first digit on.
    void theDutyRatioIsShownWhole()
    {
        auto* duty = w_->get<ResultBox>("txt_Dmax");
        for (const char* text : {"43%", "-120%", "2400000000%", "34028234663852885981170418348451692544000%"}) {
            duty->setText(QString::fromLatin1(text));
            const FittedText shown = duty->shownText();
            QVERIFY(shown.shown == duty->text() || shown.shown.endsWith(QChar(0x2026)));
            QVERIFY(duty->text().startsWith(shown.shown.chopped(shown.shown == duty->text() ? 0 : 1)));
            checkDrawnWhole(*duty, duty->rect().adjusted(1, 1, -1, -1), shown);
        }
    }

    // A long model name is readable whole in the box, and the open list is
    // as wide as the longest name.
    void aLongModelNameShowsWholeAndTheListFitsTheLongest()
    {
        WindowWithMoreModels with({{"EE18-4-10", 0.3, kEE40}, {"UU100-151-30", 6.4, kEE42}});
        StartedWindow& w = with.w;
        QVERIFY(w.window);
        auto* list = w.get<QComboBox>("cmb_Core");
        QLineEdit* field = list->lineEdit();
        for (const char* name : {"EE18-4-10", "UU100-151-30", "EE40"}) {
            list->setCurrentIndex(list->findText(QString::fromLatin1(name)));
            QCOMPARE(field->text(), QString::fromLatin1(name));
            QCOMPARE(field->font().pixelSize() < 12, std::strlen(name) > 7);
            QVERIFY(QFontMetricsF(field->font()).horizontalAdvance(field->text()) < textRoom(*field));
            checkDrawnWhole(*field, field->rect(), {field->font(), field->text()});
        }
        list->showPopup();
        QAbstractItemView* view = list->view();
        QTRY_VERIFY(view->isVisible());
        QVERIFY(view->viewport()->width() >= view->sizeHintForColumn(0));
        QVERIFY(view->sizeHintForColumn(0) > QFontMetrics(view->font()).horizontalAdvance("UU100-151-30"));
        list->hidePopup();
    }

    // The ripple in the diagram ends inside the picture at 10 % and 100 %.
    void theRippleRatioInTheDiagramIsWhole()
    {
        auto* ripple = w_->get<QLabel>("Label3(10)");
        const int baseline = ripple->y() + ripple->height() - QFontMetrics(ripple->font()).descent();
        for (int percent : {10, 100, 7}) {
            w_->get<QScrollBar>("croWave")->setValue(percent);
            QCOMPARE(ripple->text(), QStringLiteral("%1%").arg(percent));
            QVERIFY(ripple->x() + ripple->width() <= ripple->parentWidget()->width());
            QVERIFY(QFontMetrics(ripple->font()).horizontalAdvance(ripple->text()) <= ripple->width());
            QCOMPARE(ripple->font().pixelSize() < 12, percent >= 10);
            QCOMPARE(ripple->y() + ripple->height() - QFontMetrics(ripple->font()).descent(), baseline);
        }
    }

    // After a swap of the views and back, every caption's text lies wholly
    // inside its container and above the window's bottom.
    void everyCaptionIsShownWhole()
    {
        QWidget* window = w_->window.get();
        QTest::mouseClick(w_->get("Check1"), Qt::LeftButton);
        QTest::mouseClick(w_->get("Check1"), Qt::LeftButton);
        int checked = 0;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || !label->isVisibleTo(window) || label->objectName().startsWith("lab_Pram"))
                continue;
            QWidget* container = label->parentWidget();
            const QImage shot = label->grab().toImage();
            const QColor ink = label->palette().color(QPalette::WindowText);
            const QRect found = inkBounds(shot, [&](const QColor& p) {
                return p.alpha() > 128 && std::abs(p.red() - ink.red()) + std::abs(p.green() - ink.green()) +
                                                  std::abs(p.blue() - ink.blue()) < 150;
            });
            const qreal ratio = shot.devicePixelRatio();
            const QRect drawn = QRect(found.topLeft() / ratio, found.bottomRight() / ratio).translated(label->pos());
            const int bottom = std::min(container->height() - 1, window->height() - container->mapTo(window, QPoint()).y());
            QVERIFY2(!drawn.isEmpty() && drawn.bottom() < bottom && drawn.right() < container->width() - 1,
                     qPrintable(label->objectName()));
            ++checked;
        }
        QCOMPARE(checked, 7 + 6 + 3 + 4 + 12);
    }

    // The error box's button and a text box's context menu speak Chinese
    // although the locale is English.
    void qtsOwnTextsAreChinese()
    {
        QVERIFY(QLocale::system().name().startsWith("en"));
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>())
                buttons << button->text();
            if (box)
                box->accept();
        });
        showErrorBox(3024, QStringLiteral("找不到文件"));
        QCOMPARE(buttons, QStringList({QStringLiteral("确定")}));

        const std::unique_ptr<QMenu> menu(w_->box("txt_Uout")->createStandardContextMenu());
        QStringList actions;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                actions << action->text().section(QLatin1Char('\t'), 0, 0);
        QCOMPARE(actions, QStringList({"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除", "全选"}));
    }
};

QTEST_MAIN(WindowTexts)
#include "test_window_texts.moc"
