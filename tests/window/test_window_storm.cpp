// An event storm on the real window: thousands of random key presses and
// clicks, most of them arriving while a redraw is waiting for its 100 ms and
// so running nested inside it. Afterwards the window must still respond, and
// one last ripple step must leave every result equal to a fresh calculation
// from the final inputs.
#include "window_fixture.h"

#include "design/inputs.h"
#include "design/number_text.h"
#include "design/design_calculation.h"
#include "drawing/core_window.h"
#include "drawing/winding_image.h"
#include "window/winding_picture.h"

#include <QComboBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <random>

using namespace lout;
using namespace lout::testing;

namespace {

constexpr int kActions = 10'000;

// The characters typed: digits and separators mostly, with the letters and
// signs that the number reading has to survive.
constexpr char kTyped[] = "0123456789012345678901234567890123456789..--+eEdD&HhOo %,xk \t";

unsigned stormSeed()
{
    if (const char* seed = std::getenv("LOUT_STORM_SEED"))
        return static_cast<unsigned>(std::strtoul(seed, nullptr, 10));
    return 20261207U;
}

} // namespace

class WindowStorm : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<StartedWindow> w_;
    std::mt19937 random_{stormSeed()};
    int actionsDone_ = 0;
    int actionsDuringAWait_ = 0;

    QLineEdit* box(const char* name) const { return w_->get<QLineEdit>(name); }
    QScrollBar* spinner() const { return w_->get<QScrollBar>("croWave"); }
    QComboBox* models() const { return w_->get<QComboBox>("cmb_Core"); }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void clickSpinner(bool top)
    {
        QScrollBar* bar = spinner();
        const QPoint at = arrowCentre(bar, top ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, at);
    }

    void typeInto(QLineEdit* target)
    {
        switch (pick(6)) {
        case 0:
            QTest::keyClick(target, Qt::Key_Backspace);
            break;
        case 1:
            target->selectAll();
            QTest::keyClick(target, Qt::Key_Delete);
            break;
        case 2:
            QTest::keyClick(target, Qt::Key_Home);
            break;
        default:
            QTest::keyClick(target, kTyped[pick(static_cast<int>(sizeof kTyped) - 1)]);
        }
    }

    void randomAction()
    {
        static const char* const boxes[] = {"txt_U_2m", "txt_Uout", "txt_Iout", "txt_Fosc", "txt_Wave", "txt_Dmax"};
        switch (pick(10)) {
        case 0:
        case 1:
        case 2:
        case 3:
            typeInto(box(boxes[pick(6)]));
            break;
        case 4:
            QTest::keyClick(box("txt_Wave"), pick(2) ? Qt::Key_Return : Qt::Key_Tab);
            break;
        case 5:
        case 6:
            clickSpinner(pick(2) == 0);
            break;
        case 7:
            QTest::keyClick(models(), pick(2) ? Qt::Key_Down : Qt::Key_Up);
            break;
        case 8:
            typeInto(models()->lineEdit());
            break;
        default:
            QTest::mouseClick(w_->get<QPushButton>("Check1"), Qt::LeftButton);
        }
    }

    // Each action first schedules the next one and then runs. The next one
    // therefore fires inside whatever redraw wait this action starts, so the
    // storm runs mostly nested inside the waits, as a fast typist's would.
    void nextAction()
    {
        if (actionsDone_ >= kActions)
            return;
        ++actionsDone_;
        QTimer::singleShot(0, w_->window.get(), [this] { nextAction(); });
        // A redraw waits in an event loop of its own.
        if (QThread::currentThread()->loopLevel() > 0)
            ++actionsDuringAWait_;
        randomAction();
    }

    void runStorm()
    {
        QTimer::singleShot(0, w_->window.get(), [this] { nextAction(); });
        QVERIFY2(QTest::qWaitFor([&] { return actionsDone_ >= kActions; }, 250'000), "the storm did not finish");
        // Let every nested wait run out.
        QTest::qWait(1500);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        w_ = std::make_unique<StartedWindow>(writeCatalogue(dir_, standardModels()));
        QVERIFY(w_->window);
    }

    void tenThousandRandomActionsLeaveAWindowThatComputesRight()
    {
        runStorm();
        qInfo("seed %u: %d actions, %d of them during a redraw wait", stormSeed(), actionsDone_,
              actionsDuringAWait_);
        QVERIFY(w_->window->isVisible());
        QVERIFY2(actionsDuringAWait_ > kActions / 2, "the storm did not reach into the redraw waits");

        // Final inputs for which no step fails, typed like a user would.
        const struct {
            const char* name;
            const char* text;
        } finalInputs[] = {{"txt_U_2m", "60"}, {"txt_Uout", "24"}, {"txt_Iout", "7.5"}, {"txt_Fosc", "80"}};
        for (const auto& input : finalInputs) {
            QLineEdit* target = box(input.name);
            target->selectAll();
            QTest::keyClick(target, Qt::Key_Delete);
            QTest::keyClicks(target, input.text);
            QCOMPARE(target->text(), QString::fromUtf8(input.text));
        }
        models()->setCurrentIndex(kEE42Index);
        // A ripple the storm typed and left waiting would come before the
        // step below: apply it first.
        QTest::keyClick(box("txt_Wave"), Qt::Key_Return);
        if (spinner()->value() == 100 || spinner()->value() == 0)
            spinner()->setValue(50);
        const int ripple = spinner()->value() + 1;
        clickSpinner(true);
        QCOMPARE(spinner()->value(), ripple);

        DesignState fresh;
        fresh.secondaryPeakVoltage = 60;
        fresh.outputVoltage = 24;
        fresh.outputCurrent = 7.5F;
        fresh.frequency = 80000;
        fresh.rippleRatio = rippleFromScrollBar(100, static_cast<std::int16_t>(ripple));
        fresh.coreArea = 1.0F; // EE42
        fresh.fluxDensity = 0.25F;
        const DesignCalculation expected = calculateDesign(fresh);

        const DesignState& shown = w_->window->designState();
        QCOMPARE(shown.dutyRatio, expected.state.dutyRatio);
        QCOMPARE(shown.inductance, expected.state.inductance);
        QCOMPARE(shown.turns, expected.state.turns);
        QCOMPARE(shown.strands, expected.state.strands);
        const std::array<std::string, 5> expectedTexts = resultTexts(expected.state);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(w_->text(qPrintable(QStringLiteral("lab_Pram(%1)").arg(i))),
                     QString::fromStdString(expectedTexts.at(static_cast<std::size_t>(i))));
        const std::optional<float> load = dummyLoad(fresh.outputVoltage, fresh.rippleRatio, fresh.outputCurrent);
        QVERIFY(load);
        QCOMPARE(w_->text("lab_Pram(5)"), QString::fromStdString(dummyLoadText(*load)));
        QCOMPARE(w_->text("txt_Dmax"), QString::fromStdString(formatPercent(expected.state.dutyRatio)));
        const QString percent = QStringLiteral("%1%").arg(ripple);
        QCOMPARE(w_->text("txt_Wave"), percent);
        QCOMPARE(w_->text("Label3(10)"), percent);

        // Both winding pictures hold the final winding, nothing older.
        CoreDimensions core{std::string("EE42"), {}};
        for (std::size_t i = 0; i < kEE42.size(); ++i)
            core.millimetres.at(i) = kEE42.at(i);
        const CoreWindowLayout layout = layoutCoreWindow(core, 2415, 375);
        QVERIFY(layout.readyToDraw());
        const Winding winding{*layout.usableHeight, *layout.windowScale, *windingCount(expected.state.turns),
                              *windingCount(expected.state.strands), expected.state.wireDiameter};
        for (int index : {1, 2}) {
            auto* picture = w_->get<WindingPicture>(qPrintable(QStringLiteral("PicBox(%1)").arg(index)));
            QImage image(picture->image().size(), QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(picture->image().devicePixelRatio());
            drawWinding(image, picture->palette().color(QPalette::Base), winding, QColor(255, 0, 0),
                        image.devicePixelRatio() / 15.0);
            QCOMPARE(picture->image(), image);
        }
    }

    void cleanupTestCase() { w_.reset(); }
};

QTEST_MAIN(WindowStorm)
#include "test_window_storm.moc"
