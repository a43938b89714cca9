// The three roads of change driven by real key presses and clicks: typing
// into the input boxes, stepping the ripple spinner, choosing a model.
#include "window_fixture.h"

#include "design/inputs.h"
#include "design/number_text.h"
#include "window/ripple_scroll_bar.h"

#include <QComboBox>
#include <QListView>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPushButton>

#include <cmath>

using namespace lout;
using namespace lout::testing;

namespace {

void clearBox(QLineEdit* box)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
}

} // namespace

class WindowInputs : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::filesystem::path catalogue_;
    std::unique_ptr<StartedWindow> w_;

    QLineEdit* box(const char* name) const { return w_->get<QLineEdit>(name); }
    QString text(const char* name) const { return w_->text(name); }
    long runs() const { return w_->recomputations(); }
    const DesignState& state() const { return w_->window->designState(); }

    void clickArrow(bool top)
    {
        auto* bar = w_->get<QScrollBar>("croWave");
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          arrowCentre(bar, top ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        catalogue_ = writeCatalogue(dir_, standardModels());
    }
    void init()
    {
        w_ = std::make_unique<StartedWindow>(catalogue_);
        QVERIFY(w_->window);
    }
    void cleanup() { w_.reset(); }

    void everyIntermediateTextIsComputed()
    {
        QLineEdit* uout = box("txt_Uout");
        clearBox(uout);
        QCOMPARE(state().outputVoltage, 0.0F);
        const long before = runs();

        QTest::keyClick(uout, Qt::Key_4);
        QCOMPARE(state().outputVoltage, 4.0F);
        QCOMPARE(runs(), before + 1);
        const QString inductanceAt4 = text("lab_Pram(0)");
        QVERIFY(inductanceAt4 != QStringLiteral("57.4 uH"));
        QCOMPARE(text("txt_Dmax"), QString::fromStdString(formatPercent(state().dutyRatio)));

        QTest::keyClick(uout, Qt::Key_8);
        QCOMPARE(state().outputVoltage, 48.0F);
        QCOMPARE(runs(), before + 2);
        QCOMPARE(text("lab_Pram(0)"), QStringLiteral("57.4 uH"));
        QCOMPARE(text("txt_Dmax"), QStringLiteral("43%"));
    }

    void theFrequencyIsTypedInKilohertz()
    {
        QLineEdit* fosc = box("txt_Fosc");
        clearBox(fosc);
        QTest::keyClicks(fosc, "62.5");
        QCOMPARE(state().frequency, 62500.0F);
        clearBox(fosc);
        QTest::keyClicks(fosc, "100kHz");
        QCOMPARE(state().frequency, 100000.0F);
        QCOMPARE(text("lab_Pram(3)"), QStringLiteral("0.42 mm"));
    }

    void aFrequencyBeyondRangeKeepsTheResultsAndTheWindow()
    {
        QLineEdit* fosc = box("txt_Fosc");
        clearBox(fosc);
        QTest::keyClicks(fosc, "100");
        const QString diameter = text("lab_Pram(3)");
        const long before = runs();
        QTest::keyClicks(fosc, "e40");
        QVERIFY(std::isinf(state().frequency));
        // "100e" and "100e4" were computed; "100e40" was not.
        QCOMPARE(runs(), before + 2);
        QVERIFY(w_->window->isVisible());
        QVERIFY(w_->errors->empty());
        QVERIFY(text("lab_Pram(3)") != QString() && diameter == QStringLiteral("0.42 mm"));
    }

    void theTopArrowRaisesTheRippleAndTheBottomArrowLowersIt()
    {
        auto* bar = w_->get<QScrollBar>("croWave");
        const QPoint top = arrowCentre(bar, QStyle::SC_ScrollBarSubLine);
        const QPoint bottom = arrowCentre(bar, QStyle::SC_ScrollBarAddLine);
        QVERIFY2(top.y() < bar->height() / 2 && bottom.y() >= bar->height() / 2, "arrows not top and bottom");

        for (int i = 0; i < 5; ++i)
            clickArrow(true);
        QCOMPARE(bar->value(), 10);
        QCOMPARE(state().rippleRatio, 0.1F);
        QCOMPARE(text("txt_Wave"), QStringLiteral("10%"));
        QCOMPARE(text("Label3(10)"), QStringLiteral("10%"));
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("47Ω"));
        QCOMPARE(text("lab_Pram(0)"), QStringLiteral("28.7 uH"));
        QCOMPARE(text("lab_Pram(1)"), QStringLiteral("11 匝"));
        QCOMPARE(text("lab_Pram(2)"), QStringLiteral("0.55 mm"));

        clickArrow(false);
        QCOMPARE(bar->value(), 9);
        QCOMPARE(text("txt_Wave"), QStringLiteral("9%"));
    }

    void theRippleStopsAtItsLimits()
    {
        auto* bar = w_->get<QScrollBar>("croWave");
        bar->setValue(99);
        clickArrow(true);
        QCOMPARE(bar->value(), 100);
        QCOMPARE(text("txt_Wave"), QStringLiteral("100%"));
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("4Ω"));
        QCOMPARE(state().rippleRatio, 1.0F);
        const long atTop = runs();
        clickArrow(true);
        QCOMPARE(bar->value(), 100);
        QCOMPARE(runs(), atTop);

        bar->setValue(1);
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("480Ω"));
        clickArrow(false);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(text("txt_Wave"), QStringLiteral("0%"));
        // No ripple, no dummy load.
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("--Ω"));
        const long atBottom = runs();
        clickArrow(false);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(runs(), atBottom);
    }

    void theRippleKeysFollowTheArrows()
    {
        auto* bar = w_->get<QScrollBar>("croWave");
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(bar->value(), 6);
        QTest::keyClick(bar, Qt::Key_PageUp);
        QCOMPARE(bar->value(), 7);
        QTest::keyClick(bar, Qt::Key_Down);
        QCOMPARE(bar->value(), 6);
        QCOMPARE(text("txt_Wave"), QStringLiteral("6%"));
    }

    void theDummyLoadFollowsVoltageAndCurrent()
    {
        QLineEdit* uout = box("txt_Uout");
        clearBox(uout);
        QTest::keyClicks(uout, "24");
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("47Ω"));

        QLineEdit* iout = box("txt_Iout");
        clearBox(iout);
        // Without a current the division fails: no load is shown.
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("--Ω"));
        QTest::keyClicks(iout, "20");
        QCOMPARE(state().outputCurrent, 20.0F);
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("23Ω"));
    }

    QStringList results() const
    {
        QStringList texts;
        for (int i = 0; i < 6; ++i)
            texts << text(qPrintable(QStringLiteral("lab_Pram(%1)").arg(i)));
        return texts;
    }

    // A result the latest recomputation kept from an earlier one, or worked
    // out from such a value, reads "--" until a recomputation produces it
    // from the current inputs again.
    void resultsTheInputsDidNotProduceShowNotANumber()
    {
        const QStringList designed = {"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股", "95Ω"};
        auto* bar = w_->get<QScrollBar>("croWave");
        bar->setValue(1);
        clickArrow(false); // 0 %: the turns are kept, the gap follows them
        QCOMPARE(results(), QStringList({"∞ uH", "-- 匝", "-- mm", "0.42 mm", "29 股", "--Ω"}));
        clickArrow(true);
        QCOMPARE(text("lab_Pram(1)"), QStringLiteral("115 匝"));
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("480Ω"));
        bar->setValue(5);
        QCOMPARE(results(), designed);

        // A negative frequency keeps the wire, and the strands follow it.
        QLineEdit* fosc = box("txt_Fosc");
        fosc->setFocus();
        fosc->selectAll();
        QTest::keyClicks(fosc, "-100");
        QCOMPARE(results(), QStringList({"-57.4 uH", "-23 匝", "-1.16 mm", "-- mm", "-- 股", "95Ω"}));

        // Beyond the single range the frequency is not computed with: every
        // result still belongs to the frequency before.
        fosc->selectAll();
        QTest::keyClicks(fosc, "100e40");
        QCOMPARE(results(), QStringList({"-- uH", "-- 匝", "-- mm", "-- mm", "-- 股", "95Ω"}));
        QCOMPARE(text("txt_Dmax"), QStringLiteral("43%"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(fosc, Qt::Key_Backspace);
        QCOMPARE(fosc->text(), QStringLiteral("100"));
        QCOMPARE(results(), designed);

        // Without a current there is no dummy load to show.
        clearBox(box("txt_Iout"));
        QCOMPARE(results(), QStringList({"∞ uH", "23 匝", "0.00 mm", "0.42 mm", "0 股", "--Ω"}));
    }

    void negativeResultsThatRoundToZeroKeepTheirMinus()
    {
        // 49.2999 V leaves the inductor a tenth of a millivolt short of the
        // rectifier drop: the voltage is too low, and the minus says so.
        QLineEdit* u2m = box("txt_U_2m");
        clearBox(u2m);
        QTest::keyClicks(u2m, "49.2999");
        QVERIFY(state().inductance < 0.0F && state().inductance > -0.05F);
        QCOMPARE(text("lab_Pram(0)"), QStringLiteral("-0.0 uH"));

        // A slightly negative output voltage gives a duty ratio of "-0%".
        QLineEdit* uout = box("txt_Uout");
        clearBox(uout);
        QTest::keyClicks(uout, "-0.01");
        QVERIFY(state().dutyRatio < 0.0F);
        QCOMPARE(text("txt_Dmax"), QStringLiteral("-0%"));
    }

    void theDutyRatioBoxTakesNoTyping()
    {
        QLineEdit* dmax = box("txt_Dmax");
        QVERIFY(dmax->isReadOnly());
        const long before = runs();
        dmax->setFocus();
        QTest::keyClicks(dmax, "99");
        QTest::keyClick(dmax, Qt::Key_Backspace);
        QCOMPARE(dmax->text(), QStringLiteral("43%"));
        QCOMPARE(runs(), before);
    }

    void aTypedRippleWaitsForEnter()
    {
        QLineEdit* wave = box("txt_Wave");
        auto* bar = w_->get<QScrollBar>("croWave");
        clearBox(wave);
        const long before = runs();
        QTest::keyClicks(wave, "20");
        // Until Enter only the dummy load reacts, from the old ripple.
        QCOMPARE(runs(), before);
        QCOMPARE(bar->value(), 5);
        QCOMPARE(state().rippleRatio, 0.05F);
        QCOMPARE(text("lab_Pram(0)"), QStringLiteral("57.4 uH"));
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("95Ω"));

        QTest::keyClick(wave, Qt::Key_Return);
        QCOMPARE(bar->value(), 20);
        QCOMPARE(state().rippleRatio, 0.2F);
        QCOMPARE(wave->text(), QStringLiteral("20%"));
        QCOMPARE(text("Label3(10)"), QStringLiteral("20%"));
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("23Ω"));
        QCOMPARE(runs(), before + 1);
        // Enter did not press the view toggle.
        QVERIFY(!w_->get<QPushButton>("Check1")->isChecked());
    }

    void aTypedRippleIsRoundedClampedAndAppliedOnLeaving()
    {
        QLineEdit* wave = box("txt_Wave");
        auto* bar = w_->get<QScrollBar>("croWave");
        clearBox(wave);
        QTest::keyClicks(wave, "150");
        QTest::keyClick(wave, Qt::Key_Tab); // leaves the box
        QTRY_COMPARE(bar->value(), 100);
        QCOMPARE(wave->text(), QStringLiteral("100%"));

        clearBox(wave);
        QTest::keyClicks(wave, "12.5%");
        QTest::keyClick(wave, Qt::Key_Enter);
        QCOMPARE(bar->value(), 13);
        QCOMPARE(wave->text(), QStringLiteral("13%"));

        clearBox(wave);
        QTest::keyClicks(wave, "-7");
        QTest::keyClick(wave, Qt::Key_Return);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(wave->text(), QStringLiteral("0%"));
    }

    void aClickThatTakesTheFocusFromTheRippleBoxStillWorks()
    {
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        QLineEdit* wave = box("txt_Wave");
        clearBox(wave);
        QTest::keyClicks(wave, "20");
        QVERIFY(wave->hasFocus());
        // As from a real mouse: the release is already queued when the press
        // moves the focus and the typed ripple is applied.
        auto* toggle = w_->get<QPushButton>("Check1");
        const QPoint centre = toggle->rect().center();
        const QPoint global = toggle->mapToGlobal(centre);
        QCoreApplication::postEvent(toggle, new QMouseEvent(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
        QTest::mousePress(toggle, Qt::LeftButton, {}, centre);
        QTRY_COMPARE(w_->get<QScrollBar>("croWave")->value(), 20);
        QTRY_VERIFY(toggle->isChecked());
        QVERIFY(!toggle->isDown());
        QVERIFY(w_->get("Frame4")->isVisible());
        QCOMPARE(wave->text(), QStringLiteral("20%"));
    }

    // A ripple typed into the box and not yet applied counts before a step
    // of the spinner, and the step starts from it: arrows, wheel and keys.
    void aTypedRippleIsAppliedBeforeTheSpinnersStep()
    {
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        QLineEdit* wave = box("txt_Wave");
        auto* bar = w_->get<QScrollBar>("croWave");
        const auto expectRipple = [&](int percent) {
            const QString shown = QStringLiteral("%1%").arg(percent);
            QCOMPARE(bar->value(), percent);
            QCOMPARE(wave->text(), shown);
            QCOMPARE(text("Label3(10)"), shown);
            QCOMPARE(state().rippleRatio, rippleFromScrollBar(100, static_cast<std::int16_t>(percent)));
            const std::optional<float> load = dummyLoad(state().outputVoltage, state().rippleRatio, state().outputCurrent);
            QVERIFY(load);
            QCOMPARE(text("lab_Pram(5)"), QString::fromStdString(dummyLoadText(*load)));
        };

        // The top arrow clicked while the box still holds the typed 20.
        clearBox(wave);
        QTest::keyClicks(wave, "20");
        clickArrow(true);
        QTest::qWait(50); // the box, left, has its turn too
        expectRipple(21);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(text("lab_Pram(0)"), QStringLiteral("13.7 uH"));
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("22Ω"));

        // The wheel turned up over the spinner, the box keeping the focus.
        clearBox(wave);
        QTest::keyClicks(wave, "30");
        const QPointF over = QPointF(bar->rect().center());
        QWheelEvent up(over, bar->mapToGlobal(over), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &up);
        expectRipple(31);
        if (QTest::currentTestFailed())
            return;

        // The down key once the spinner has the focus, before the box's
        // typed ripple had its turn.
        clearBox(wave);
        QTest::keyClicks(wave, "40");
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Down);
        QTest::qWait(50);
        expectRipple(39);
        if (QTest::currentTestFailed())
            return;

        // At the spinner's end the step changes nothing; the typed ripple
        // still counts.
        clearBox(wave);
        QTest::keyClicks(wave, "100");
        clickArrow(true);
        QTest::qWait(50);
        expectRipple(100);
    }

    void anUnchangedTypedRippleStillRewritesTheBox()
    {
        QLineEdit* wave = box("txt_Wave");
        clearBox(wave);
        QTest::keyClicks(wave, "5.3");
        const long before = runs();
        QTest::keyClick(wave, Qt::Key_Return);
        QCOMPARE(w_->get<QScrollBar>("croWave")->value(), 5);
        QCOMPARE(wave->text(), QStringLiteral("5%"));
        QCOMPARE(runs(), before);
    }

    void aStepToThePercentageTypedInTheBoxStillRecomputesTheDummyLoad()
    {
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        QLineEdit* wave = box("txt_Wave");
        auto* bar = w_->get<QScrollBar>("croWave");
        clearBox(wave);
        QTest::keyClicks(wave, "6%");
        // Worked out from the ripple still in force, 5%.
        QCOMPARE(text("lab_Pram(5)"), QStringLiteral("95Ω"));

        // Code brings the spinner to the very text the box shows (a step of
        // the user's would first take the typed 6 % and go on to 7 %).
        bar->setValue(6);
        QCOMPARE(bar->value(), 6);
        QCOMPARE(state().rippleRatio, 0.06F);
        QCOMPARE(wave->text(), QStringLiteral("6%"));
        const std::optional<float> load = dummyLoad(state().outputVoltage, state().rippleRatio, state().outputCurrent);
        QVERIFY(load);
        const QString expected = QString::fromStdString(dummyLoadText(*load));
        QVERIFY(expected != QStringLiteral("95Ω"));
        QCOMPARE(text("lab_Pram(5)"), expected);
    }

    void arrowKeysInTheListChooseAModel()
    {
        auto* models = w_->get<QComboBox>("cmb_Core");
        models->setFocus();
        QTest::keyClick(models, Qt::Key_Down);
        QTest::keyClick(models, Qt::Key_Down);
        QCOMPARE(models->currentText(), QStringLiteral("EI40"));
        QCOMPARE(state().coreArea, 0.5F);
        QCOMPARE(state().fluxDensity, 0.25F);
        QCOMPARE(text("lab_Pram(1)"), QStringLiteral("46 匝"));
        QCOMPARE(text("lab_Pram(2)"), QStringLiteral("2.31 mm"));
        QCOMPARE(text("lab_Pram(0)"), QStringLiteral("57.4 uH"));

        QTest::keyClick(models, Qt::Key_Up);
        QTest::keyClick(models, Qt::Key_Up);
        QCOMPARE(models->currentText(), QStringLiteral("EE40"));
        QCOMPARE(state().coreArea, 1.0F);
        QCOMPARE(text("lab_Pram(1)"), QStringLiteral("23 匝"));
    }

    // A model name typed into the list counts once Enter is pressed or the
    // list is left: it is chosen as from the list, the name compared as the
    // catalogue compares names. A name of no model puts the chosen model's
    // name back. The list itself never changes.
    void aTypedModelNameIsChosenOnEnterOrOnLeaving()
    {
        auto* models = w_->get<QComboBox>("cmb_Core");
        QLineEdit* field = models->lineEdit();
        QVERIFY(field);
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        QStringList listed;
        for (int i = 0; i < models->count(); ++i)
            listed << models->itemText(i);

        models->setFocus();
        field->selectAll();
        const long before = runs();
        QTest::keyClicks(field, "EI40");
        QCOMPARE(runs(), before); // typing alone chooses nothing
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(runs(), before + 1);
        QCOMPARE(models->currentIndex(), kEI40Index);
        QCOMPARE(state().coreArea, 0.5F);
        QCOMPARE(text("lab_Pram(1)"), QStringLiteral("46 匝"));
        QCOMPARE(text("lab_Pram(2)"), QStringLiteral("2.31 mm"));

        // Leaving the list with a name in other letters' case.
        field->selectAll();
        QTest::keyClicks(field, "ee42");
        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_COMPARE(models->currentIndex(), kEE42Index);
        QCOMPARE(field->text(), QStringLiteral("EE42"));
        QCOMPARE(state().coreArea, 1.0F);
        QCOMPARE(text("lab_Pram(1)"), QStringLiteral("23 匝"));
        QTRY_COMPARE(w_->get("PicBox(1)")->height(), 88); // the taller window of EE42
        QCOMPARE(runs(), before + 2);

        // No model of that name: the chosen name comes back, nothing else.
        models->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "XY99");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->text(), QStringLiteral("EE42"));
        field->selectAll();
        QTest::keyClicks(field, "Q");
        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_COMPARE(field->text(), QStringLiteral("EE42"));
        QCOMPARE(models->currentIndex(), kEE42Index);
        QCOMPARE(runs(), before + 2);
        QStringList after;
        for (int i = 0; i < models->count(); ++i)
            after << models->itemText(i);
        QCOMPARE(after, listed);
    }

    // Hand-made catalogues repeat names: every entry of the list stands for
    // its own row.
    void theSecondOfTwoModelsWithOneNameShowsItsOwnData()
    {
        QTemporaryDir dir;
        std::vector<Model> models = standardModels();
        models.push_back({"EE30", 0.6, kEE40});
        models.push_back({"EE30", 0.9, kEE42});
        StartedWindow twins(writeCatalogue(dir, models));
        QVERIFY(twins.window);
        auto* list = twins.get<QComboBox>("cmb_Core");
        QCOMPARE(list->itemText(6), QStringLiteral("EE30"));
        QCOMPARE(list->itemText(7), QStringLiteral("EE30"));
        QCOMPARE(list->currentIndex(), 6);
        QCOMPARE(twins.window->designState().coreArea, 0.6F);
        QCOMPARE(twins.text("lab_Pram(1)"), QStringLiteral("38 匝"));

        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex(), 7);
        QCOMPARE(twins.window->designState().coreArea, 0.9F);
        QCOMPARE(twins.text("lab_Pram(1)"), QStringLiteral("26 匝"));
        QCOMPARE(twins.get("PicBox(1)")->height(), 88); // drawn from its own row

        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(twins.window->designState().coreArea, 0.6F);
        QCOMPARE(twins.text("lab_Pram(1)"), QStringLiteral("38 匝"));
        QCOMPARE(twins.get("PicBox(1)")->height(), 64);
    }

    void choosingFromTheOpenListChoosesTheModel()
    {
        auto* models = w_->get<QComboBox>("cmb_Core");
        models->setFocus();
        // Typed and taken first: choosing the same name from the list then
        // leaves the model chosen.
        models->lineEdit()->selectAll();
        QTest::keyClicks(models->lineEdit(), "EE42");
        QTest::keyClick(models->lineEdit(), Qt::Key_Return);
        models->showPopup();
        QAbstractItemView* list = models->view();
        QTRY_VERIFY(list->isVisible());
        list->setCurrentIndex(list->model()->index(kEE42Index, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(models->currentText(), QStringLiteral("EE42"));
        QCOMPARE(state().coreArea, 1.0F);
        QVERIFY(w_->get("PicBox(1)")->height() > 64); // the taller window of EE42
    }

    void tabVisitsTheControlsInOrder()
    {
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        const char* const order[] = {"txt_Iout", "txt_Wave", "txt_Fosc", "txt_Dmax", "txt_U_2m",
                                     "txt_Uout", "Check1",   "croWave",  "cmb_Core"};
        w_->get("cmb_Core")->setFocus();
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            QWidget* expected = w_->get(name);
            QVERIFY2(focused == expected || expected->isAncestorOf(focused),
                     qPrintable(QStringLiteral("expected %1, got %2")
                                    .arg(QLatin1String(name), focused ? focused->objectName() : QString())));
        }
    }

    void escapeDoesNotCloseTheWindow()
    {
        QTest::keyClick(w_->window.get(), Qt::Key_Escape);
        QVERIFY(w_->window->isVisible());
    }
};

QTEST_MAIN(WindowInputs)
#include "test_window_inputs.moc"
