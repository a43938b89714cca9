// The three roads of change driven by real key presses and clicks: typing
// into the input boxes, stepping the ripple spinner, choosing a model.
#include "window_fixture.h"

#include <QListView>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

using namespace lout::testing;

class WindowInputs : public FreshWindowSuite {
    Q_OBJECT
    QScrollBar* spinner() const { return w_->get<QScrollBar>("croWave"); }

private slots:
    // Every key press recomputes, after the box is emptied too (runs); a
    // result that the inputs did not produce (kept from an earlier
    // recomputation, or worked out from such a value) reads "--".
    void aTypedInputRecomputesTheResults_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QString>("dutyRatio");
        QTest::addColumn<int>("runs");
        const auto row = [](const char* box, const char* typed, const QStringList& results, const char* duty, int runs) {
            QTest::addRow("%s %s", box, typed) << box << typed << results << duty << runs;
        };
        row("txt_Uout", "4", {"36.2 uH", "14 匝", "0.70 mm", "0.42 mm", "29 股", "7Ω"}, "4%", 2);
        row("txt_Uout", "24", {"131.6 uH", "53 匝", "2.66 mm", "0.42 mm", "29 股", "47Ω"}, "21%", 3);
        row("txt_Uout", "48", kDefaultResults, "43%", 3);
        row("txt_Uout", "-0.01", {"-0.1 uH", "0 匝", "0.00 mm", "0.42 mm", "29 股", "-1Ω"}, "-0%", 6);
        // A tenth of a millivolt short of the rectifier drop: the minus says so.
        row("txt_U_2m", "49.2999", {"-0.0 uH", "0 匝", "0.00 mm", "0.42 mm", "29 股", "95Ω"}, "49%", 8);
        row("txt_Iout", "", {"∞ uH", "23 匝", "0.00 mm", "0.42 mm", "0 股", "--Ω"}, "43%", 1);
        row("txt_Iout", "20", {"28.7 uH", "23 匝", "2.31 mm", "0.42 mm", "58 股", "47Ω"}, "43%", 3);
        row("txt_Fosc", "62.5", {"91.9 uH", "37 匝", "1.86 mm", "0.53 mm", "18 股", "95Ω"}, "43%", 5); // kilohertz
        row("txt_Fosc", "100kHz", kDefaultResults, "43%", 7);
        // A negative frequency keeps the wire, and the strands follow it.
        row("txt_Fosc", "-100", {"-57.4 uH", "-23 匝", "-1.16 mm", "-- mm", "-- 股", "95Ω"}, "43%", 5);
        // Beyond the single range the frequency is not computed with ("100e"
        // and "100e4" were): every result belongs to the frequency before.
        row("txt_Fosc", "100e40", {"-- uH", "-- 匝", "-- mm", "-- mm", "-- 股", "95Ω"}, "43%", 6);
        row("txt_Fosc", "100e40\b\b\b", kDefaultResults, "43%", 9);
        row("txt_Dmax", "99\b", kDefaultResults, "43%", 0); // read only
    }

    void aTypedInputRecomputesTheResults()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QStringList, results);
        QFETCH(QString, dutyRatio);
        QFETCH(int, runs);
        retype(w_->box(box), typed);
        QCOMPARE(w_->results(), results);
        QCOMPARE(w_->text("txt_Dmax"), dutyRatio);
        QCOMPARE(w_->runs, 6 + runs);
        QVERIFY(w_->window->isVisible() && w_->errors.isEmpty());
    }

    // The top arrow raises the ripple, as do the up keys; the bottom arrow
    // lowers it; both stop at the spinner's ends. A typed ripple counts on
    // Enter or on leaving the box, rounded to a whole percent and kept within
    // the spinner's range (until then the results stay, the dummy load
    // reacting from the ripple in force), or before a step of the spinner,
    // which then starts from it; or when code sets the spinner to it.
    void theRippleRecomputesTheResults_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("steps"); // see the test
        QTest::addColumn<int>("ripple");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<int>("runs");
        const auto row = [](int start, const char* typed, const char* steps, int ripple, const QStringList& results,
                            int runs) {
            QTest::addRow("%d %s %s", start, typed, steps) << start << typed << steps << ripple << results << runs;
        };
        row(5, "", "TTTTT", 10, {"28.7 uH", "11 匝", "0.55 mm", "0.42 mm", "29 股", "47Ω"}, 5);
        row(10, "", "B", 9, {"31.9 uH", "13 匝", "0.65 mm", "0.42 mm", "29 股", "53Ω"}, 1);
        row(5, "", "UPD", 6, {"47.9 uH", "19 匝", "0.96 mm", "0.42 mm", "29 股", "80Ω"}, 3);
        row(99, "", "TT", 100, {"2.9 uH", "1 匝", "0.05 mm", "0.42 mm", "29 股", "4Ω"}, 1);
        // No ripple: the turns are kept, the gap follows them; no dummy load.
        row(1, "", "BB", 0, {"∞ uH", "-- 匝", "-- mm", "0.42 mm", "29 股", "--Ω"}, 1);
        row(1, "", "BT", 1, {"287.1 uH", "115 匝", "5.78 mm", "0.42 mm", "29 股", "480Ω"}, 2);
        row(1, "", "BTTTTT", 5, kDefaultResults, 6);
        row(5, "20", "R", 20, {"14.4 uH", "6 匝", "0.30 mm", "0.42 mm", "29 股", "23Ω"}, 1);
        row(5, "150", "L", 100, {"2.9 uH", "1 匝", "0.05 mm", "0.42 mm", "29 股", "4Ω"}, 1);
        row(5, "12.5%", "E", 13, {"22.1 uH", "9 匝", "0.45 mm", "0.42 mm", "29 股", "36Ω"}, 1);
        row(5, "-7", "R", 0, {"∞ uH", "-- 匝", "-- mm", "0.42 mm", "29 股", "--Ω"}, 1);
        row(5, "5.3", "R", 5, kDefaultResults, 0); // the box is still rewritten
        row(5, "20", "T", 21, {"13.7 uH", "5 匝", "0.25 mm", "0.42 mm", "29 股", "22Ω"}, 1);
        row(5, "30", "W", 31, {"9.3 uH", "4 匝", "0.20 mm", "0.42 mm", "29 股", "15Ω"}, 1);
        row(5, "40", "D", 39, {"7.4 uH", "3 匝", "0.15 mm", "0.42 mm", "29 股", "12Ω"}, 1);
        row(5, "100", "T", 100, {"2.9 uH", "1 匝", "0.05 mm", "0.42 mm", "29 股", "4Ω"}, 1); // the step changes nothing
        row(5, "6%", "S", 6, {"47.9 uH", "19 匝", "0.96 mm", "0.42 mm", "29 股", "80Ω"}, 1);
    }

    void theRippleRecomputesTheResults()
    {
        QFETCH(int, start);
        QFETCH(QString, typed);
        QFETCH(QString, steps);
        QFETCH(int, ripple);
        QFETCH(QStringList, results);
        QFETCH(int, runs);
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        QScrollBar* bar = spinner();
        bar->setValue(start);
        const long before = w_->runs;
        const QStringList shown = w_->results();
        if (!typed.isEmpty())
            retype(w_->box("txt_Wave"), typed);
        QCOMPARE(w_->runs, before);
        QCOMPARE(w_->results(), shown);
        for (const QChar step : steps) {
            if (step == 'T' || step == 'B') { // the Top or Bottom arrow
                clickArrow(bar, step == 'T');
            } else if (step == 'W') { // the Wheel turned up over the spinner, the box keeping the focus
                const QPointF over = QPointF(bar->rect().center());
                QWheelEvent up(over, bar->mapToGlobal(over), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                               Qt::NoScrollPhase, false);
                QApplication::sendEvent(bar, &up);
            } else if (step == 'S') { // Set by code
                bar->setValue(ripple);
            } else if (QStringLiteral("REL").contains(step)) { // Return, keypad Enter, Leaving the box
                QTest::keyClick(w_->box("txt_Wave"), step == 'R' ? Qt::Key_Return : step == 'E' ? Qt::Key_Enter : Qt::Key_Tab);
            } else { // the Up, Page up or Down key
                bar->setFocus();
                QTest::keyClick(bar, step == 'U' ? Qt::Key_Up : step == 'P' ? Qt::Key_PageUp : Qt::Key_Down);
            }
        }
        QTest::qWait(50); // the box, left, has its turn too
        QCOMPARE(bar->value(), ripple);
        QCOMPARE(w_->text("txt_Wave"), QStringLiteral("%1%").arg(ripple));
        QCOMPARE(w_->text("Label3(10)"), QStringLiteral("%1%").arg(ripple));
        QCOMPARE(w_->results(), results);
        QCOMPARE(w_->runs, before + runs);
        QVERIFY(!w_->get<QPushButton>("Check1")->isChecked());
    }

    // Keys in the list, and a name typed and taken with Enter or by leaving
    // (in any letters' case), choose a model; typing alone chooses nothing,
    // and a name of no model puts the chosen name back. The list never
    // changes; the chosen name chosen again from the open list stays chosen.
    void aModelIsChosenByKeysByNameOrFromTheList()
    {
        auto* models = w_->get<QComboBox>("cmb_Core");
        QLineEdit* field = models->lineEdit();
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        const QStringList listed = itemsOf(models);
        const struct { const char* typed; Qt::Key key; int chosen; } steps[] = {
            {"", Qt::Key_Down, kEE42Index}, {"", Qt::Key_Down, kEI40Index},       {"", Qt::Key_Up, kEE42Index},
            {"", Qt::Key_Up, kEE40Index},   {"EI40", Qt::Key_Return, kEI40Index}, {"ee42", Qt::Key_Tab, kEE42Index},
            {"XY99", Qt::Key_Return, kEE42Index}, {"Q", Qt::Key_Tab, kEE42Index}};
        for (const auto& step : steps) {
            models->setFocus();
            const long before = w_->runs;
            field->selectAll();
            QTest::keyClicks(field, step.typed);
            QCOMPARE(w_->runs, before);
            QTest::keyClick(*step.typed ? field : static_cast<QWidget*>(models), step.key);
            QTRY_COMPARE(field->text(), models->itemText(step.chosen));
            QCOMPARE(models->currentIndex(), step.chosen);
            // EE42: the same area, a taller window; EI40: half the area, an EI window.
            QCOMPARE(w_->text("lab_Pram(1)"), step.chosen == kEI40Index ? "46 匝" : "23 匝");
            // The three legs are E long at A's scale, both windows take the
            // usable window's proportions.
            const int legs = step.chosen == kEE42Index ? 58 : 40;
            const int windows = step.chosen == kEE42Index ? 88 : step.chosen == kEI40Index ? 28 : 64;
            QStringList heights;
            for (const char* shape : {"Shape1(1)", "Shape1(2)", "Shape1(3)", "PicBox(1)", "PicBox(2)"})
                heights << QString::number(w_->get(shape)->height());
            QCOMPARE(heights.join(' '), QStringLiteral("%1 %1 %1 %2 %2").arg(legs).arg(windows));
        }
        QCOMPARE(w_->runs, 6 + 6L);
        QCOMPARE(itemsOf(models), listed);
        models->showPopup();
        QAbstractItemView* list = models->view();
        QTRY_VERIFY(list->isVisible());
        list->setCurrentIndex(list->model()->index(kEE42Index, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(models->currentIndex(), kEE42Index);
        QCOMPARE(w_->runs, 6 + 6L);
    }

    // A name typed and then the list's arrow clicked: the click takes the
    // name and opens the list at once.
    void clickingTheArrowAfterTypingChoosesTheNameAndOpensTheList()
    {
        auto* models = w_->get<QComboBox>("cmb_Core");
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        models->setFocus();
        models->lineEdit()->selectAll();
        QTest::keyClicks(models->lineEdit(), "ee42");
        QStyleOptionComboBox option;
        option.initFrom(models);
        option.editable = true;
        const QRect arrow = models->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, models);
        // The release comes as the window system brings it: to the list, once
        // open, after the press has been handled.
        const QPoint at = models->mapToGlobal(arrow.center());
        QTimer::singleShot(0, models, [at] {
            if (QWidget* list = QApplication::activePopupWidget())
                QTest::mouseRelease(list, Qt::LeftButton, {}, list->mapFromGlobal(at));
        });
        QTest::mousePress(models, Qt::LeftButton, {}, arrow.center());
        QTRY_COMPARE(models->currentIndex(), kEE42Index);
        QCOMPARE(w_->text("lab_Pram(1)"), QStringLiteral("23 匝"));
        QTest::qWait(150);
        QVERIFY(models->view()->isVisible());
        models->hidePopup();
    }

    // Hand-made catalogues repeat names: every entry of the list stands for
    // its own row, drawn from its own dimensions.
    void eachOfTwoModelsWithOneNameShowsItsOwnData()
    {
        WindowWithMoreModels with({{"EE30", 0.6, kEE40}, {"EE30", 0.9, kEE42}});
        StartedWindow& twins = with.w;
        QVERIFY(twins.window);
        auto* list = twins.get<QComboBox>("cmb_Core");
        QCOMPARE(list->itemText(7), list->itemText(6));
        list->setFocus();
        const struct { int key; int index; const char* turns; int height; } steps[] = {
            {0, 6, "38 匝", 64}, {Qt::Key_Down, 7, "26 匝", 88}, {Qt::Key_Up, 6, "38 匝", 64}};
        for (const auto& step : steps) {
            if (step.key)
                QTest::keyClick(list, Qt::Key(step.key));
            QCOMPARE(list->currentIndex(), step.index);
            QCOMPARE(twins.text("lab_Pram(1)"), QString::fromUtf8(step.turns));
            QCOMPARE(twins.picture(1)->height(), step.height);
        }
    }

    void tabVisitsTheControlsInOrderAndEscapeKeepsTheWindow()
    {
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        w_->get("cmb_Core")->setFocus();
        for (const char* name : {"txt_Iout", "txt_Wave", "txt_Fosc", "txt_Dmax", "txt_U_2m", "txt_Uout", "Check1",
                                 "croWave", "cmb_Core"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused == w_->get(name) || w_->get(name)->isAncestorOf(focused), name);
        }
        QTest::keyClick(w_->window.get(), Qt::Key_Escape);
        QVERIFY(w_->window->isVisible());
    }
};

QTEST_MAIN(WindowInputs)
#include "test_window_inputs.moc"
