// The readouts of the design on the window: tooltips that screen readers
// hear too, following every change; and the window and lout-design showing
// the same design for the same inputs.
#include "window_fixture.h"

#include <QToolTip>

#include <QAccessible>
#include <QProcess>
#include <QThread>

#include <functional>
#include <random>

using namespace lout::testing;

namespace {

// The controls that carry a readout; the pictures carry the fit too.
const char* const kFitControls[] = {"lab_Pram(1)", "PicBox(1)", "PicBox(2)"};
const QString kNoFit = "无法判断窗口能否绕下：匝数、线径或股数没有算出，或这个型号的窗口尺寸未知";
const QString kNoGap =
    "无法估算考虑边缘磁通的气隙：电感量或匝数没有算出，这个型号的窗口高度未知，或气隙不比窗口高度小得多";
const QString kNoCopper = "无法估算铜损：匝数、线径或股数没有算出，一列绕不下一匝，或这个型号的中柱尺寸未知";

// What a control tells: its tooltip, its own accessible description, and
// the description a screen reader hears through Qt's accessibility
// interface.
QStringList toldBy(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return {widget->toolTip(), widget->accessibleDescription(),
            face ? face->text(QAccessible::Description) : QStringLiteral("<no accessible interface>")};
}

// A number as a user might type it: mostly near `typical`, sometimes empty,
// zero, negative, with a unit or in another notation.
QString someNumber(std::mt19937& random, double typical)
{
    static const char* const odd[] = {"", "0", "abc", " 12 ", "&H20", "1e1", "2D1", "12V", "1,5", "-0", "+3.5"};
    const int what = std::uniform_int_distribution<int>(0, 9)(random);
    if (what == 0)
        return QString::fromLatin1(odd[std::uniform_int_distribution<int>(0, std::size(odd) - 1)(random)]);
    if (what == 1)
        return QString::number(-std::uniform_real_distribution<double>(0, typical)(random), 'g', 3);
    return QString::number(std::uniform_real_distribution<double>(0.2 * typical, 1.8 * typical)(random), 'g',
                           what == 2 ? 2 : 5);
}

} // namespace

class WindowReadouts : public FreshWindowSuite {
    Q_OBJECT

    QString tipOf(const char* control) const { return w_->get(control)->toolTip(); }

    // What lout-design prints for a model: its name, lab_Pram(0..5) under
    // their captions, and the three readouts.
    QString shownAsLoutDesignPrintsIt() const
    {
        QString text = "磁芯型号：" + w_->get<QComboBox>("cmb_Core")->currentText() + "\n";
        const char* const captions[] = {"滤波电感", "绕组圈数", "磁芯间隙", "最佳线径", "导线股数", "死负载"};
        for (int i = 0; i < 6; ++i)
            text += QString::fromUtf8(captions[i]) + "：" + w_->text(QStringLiteral("lab_Pram(%1)").arg(i)) + "\n";
        return text + "窗口绕线：" + tipOf("lab_Pram(1)") + "\n边缘磁通：" + tipOf("lab_Pram(2)") + "\n绕组铜损："
               + tipOf("lab_Pram(4)") + "\n";
    }

private slots:
    // EE40 (W 8 × H 20 mm, usable 6.9 × 17.8, Ae 1 cm²) at the opening
    // inputs: one turn of 29 × 0.42 mm a column, 12 columns of 0.517 mm;
    // lg0 = 0.04 pi × 23² / 57.43 = 1.158 mm; MLT = 2 (12 + 10) + 2 pi (0.55
    // + 23 × 0.517 / 2) mm. At 20 % ripple 6 turns fit. EI40 (H 10 mm, Ae
    // 0.5) holds no turn in a column. No current gives no strands, an
    // infinite inductance; a frequency beyond the single range leaves no
    // result current.
    void eachReadoutIsATooltipHeardByScreenReadersAfterEveryChange()
    {
        const QString modelListTip = w_->get("cmb_Core")->toolTip();
        const struct {
            std::function<void()> change;
            QString fit, gap, copper;
        } steps[] = {
            {nullptr, "窗口可绕 12 匝（每列 1 匝 × 12 列），需要 23 匝：绕不下；窗口利用系数 0.57",
             "考虑边缘磁通：约 1.80 mm，边缘系数 1.56",
             "平均匝长 84.8 mm，直流电阻 8.5 mΩ（20 °C）/ 11.1 mΩ（100 °C），铜损约 1.11 W"},
            {[this] { w_->get<QScrollBar>("croWave")->setValue(20); },
             "窗口可绕 12 匝（每列 1 匝 × 12 列），需要 6 匝：绕得下；窗口利用系数 0.15",
             "考虑边缘磁通：约 0.37 mm，边缘系数 1.17",
             "平均匝长 57.2 mm，直流电阻 1.5 mΩ（20 °C）/ 2.0 mΩ（100 °C），铜损约 0.20 W"},
            {[this] { w_->get<QComboBox>("cmb_Core")->setCurrentIndex(kEI40Index); },
             "窗口可绕 0 匝（每列 0 匝 × 12 列），需要 11 匝：绕不下；窗口利用系数 0.55",
             "考虑边缘磁通：约 0.71 mm，边缘系数 1.33", kNoCopper},
            {[this] { retype(w_->box("txt_Iout"), ""); }, kNoFit, kNoGap, kNoCopper},
            {[this] {
                 retype(w_->box("txt_Iout"), "10");
                 retype(w_->box("txt_Fosc"), "100e40");
             },
             kNoFit, kNoGap, kNoCopper},
        };
        for (const auto& step : steps) {
            if (step.change)
                step.change();
            for (const char* control : kFitControls)
                QCOMPARE(toldBy(w_->get(control)), QStringList(3, step.fit));
            QCOMPARE(toldBy(w_->get("lab_Pram(2)")), QStringList(3, step.gap));
            QCOMPARE(toldBy(w_->get("lab_Pram(4)")), QStringList(3, step.copper));
            QCOMPARE(w_->get("cmb_Core")->toolTip(), modelListTip);
        }
        QVERIFY(w_->errors.isEmpty());
        // The tip shows where the pointer rests on a result.
        for (const char* control : {"lab_Pram(1)", "lab_Pram(2)", "lab_Pram(4)"}) {
            QWidget* result = w_->get(control);
            QTest::mouseMove(result, result->rect().center());
            QTRY_VERIFY(QToolTip::isVisible());
            QTRY_COMPARE(QToolTip::text(), result->toolTip());
        }
    }

    // Random inputs entered into the window, each case from the start-up
    // inputs, and given to lout-design: the same six results and readouts.
    // The changes of a case run one inside the other's redraw wait, as a
    // fast user's would; the case is compared once every wait has run out
    // and the handlers they held up have finished.
    void theWindowAndLoutDesignShowTheSameDesign()
    {
        constexpr int kCases = 150;
        std::mt19937 random(20261207U);
        auto* models = w_->get<QComboBox>("cmb_Core");
        const char* const boxes[] = {"txt_U_2m", "txt_Uout", "txt_Iout", "txt_Fosc"};
        const char* const options[] = {"--u2m", "--uo", "--io", "--fosc"};
        const QStringList startUp = {"56", "48", "10", "100"};
        const double typical[] = {56, 48, 10, 100};

        struct Action {
            std::function<void()> run;
            bool afterTheWaits = false;
        };
        std::vector<Action> actions;
        QStringList mismatches;
        const auto enter = [&](int index, const QStringList& texts, int percent) {
            actions.push_back({[this, index] { w_->get<QComboBox>("cmb_Core")->setCurrentIndex(index); }});
            for (int i = 0; i < 4; ++i)
                actions.push_back({[this, box = boxes[i], typed = texts[i]] { w_->box(box)->setText(typed); }});
            actions.push_back({[this, percent] { w_->get<QScrollBar>("croWave")->setValue(percent); }});
        };
        for (int n = 0; n < kCases; ++n) {
            const int model = std::uniform_int_distribution<int>(0, models->count() - 1)(random);
            QStringList texts;
            QStringList arguments = {"--catalogue", QString::fromStdString(catalogue_.file.string())};
            if (model != kEE40Index || n % 2)
                arguments << "--core" << models->itemText(model).toLower();
            for (int i = 0; i < 4; ++i) {
                const int what = std::uniform_int_distribution<int>(0, 5)(random);
                texts << (what == 0 ? startUp[i] : i == 3 && what == 1 ? "1e40" : someNumber(random, typical[i]));
                arguments << options[i] << texts.back();
            }
            const int ripple = std::uniform_int_distribution<int>(0, 3)(random) == 0
                                   ? 5 : std::uniform_int_distribution<int>(0, 100)(random);
            arguments << "--ripple" << QString::number(ripple);

            QProcess design;
            design.start(QStringLiteral(LOUT_BUILD_ROOT "/lout-design"), arguments);
            QVERIFY(design.waitForFinished(10000));
            QCOMPARE(design.exitCode(), 0);
            const QString printed = QString::fromUtf8(design.readAllStandardOutput());

            enter(kEE40Index, startUp, 5); // the start-up model and inputs once more
            enter(model, texts, ripple);
            actions.push_back({[this, &mismatches, arguments, printed] {
                                   const QString shown = shownAsLoutDesignPrintsIt();
                                   if (shown != printed)
                                       mismatches << arguments.mid(2).join(' ') + "\nwindow:\n" + shown
                                                         + "lout-design:\n" + printed;
                                   for (const char* control : kFitControls)
                                       if (toldBy(w_->get(control)) != QStringList(3, tipOf("lab_Pram(1)")))
                                           mismatches << QStringLiteral("%1 does not tell the fit").arg(control);
                               },
                               true});
        }

        std::size_t next = 0;
        std::function<void()> runNext = [&] {
            if (next >= actions.size())
                return;
            if (actions[next].afterTheWaits && QThread::currentThread()->loopLevel() > 0) {
                QTimer::singleShot(5, w_->window.get(), runNext);
                return;
            }
            QTimer::singleShot(0, w_->window.get(), runNext);
            actions[next++].run();
        };
        QTimer::singleShot(0, w_->window.get(), runNext);
        QVERIFY(QTest::qWaitFor([&] { return next >= actions.size(); }, 120'000));
        if (!mismatches.isEmpty())
            qInfo().noquote() << mismatches.join("\n");
        QCOMPARE(mismatches.size(), 0);
        QVERIFY(w_->errors.isEmpty());
    }
};

QTEST_MAIN(WindowReadouts)
#include "test_window_readouts.moc"
