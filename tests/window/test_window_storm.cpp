// An event storm on the real window: thousands of random key presses and
// clicks, most of them arriving while a redraw is waiting for its 100 ms and
// so running nested inside it. Afterwards the window must still respond, and
// one last ripple step must leave every result equal to a fresh calculation
// from the final inputs.
#include "window_fixture.h"

#include <QThread>

#include <cstdlib>
#include <random>

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

class WindowStorm : public FreshWindowSuite {
    Q_OBJECT
    std::mt19937 random_{stormSeed()};
    int actionsDone_ = 0;
    int actionsDuringAWait_ = 0;

    QScrollBar* spinner() const { return w_->get<QScrollBar>("croWave"); }
    QComboBox* models() const { return w_->get<QComboBox>("cmb_Core"); }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void typeInto(QLineEdit* target)
    {
        const int what = pick(6);
        if (what == 1)
            target->selectAll();
        if (what < 3)
            QTest::keyClick(target, what == 0 ? Qt::Key_Backspace : what == 1 ? Qt::Key_Delete : Qt::Key_Home);
        else
            QTest::keyClick(target, kTyped[pick(static_cast<int>(sizeof kTyped) - 1)]);
    }

    void randomAction()
    {
        static const char* const boxes[] = {"txt_U_2m", "txt_Uout", "txt_Iout", "txt_Fosc", "txt_Wave", "txt_Dmax"};
        const int what = pick(10);
        if (what < 4)
            typeInto(w_->box(boxes[pick(6)]));
        else if (what == 4)
            QTest::keyClick(w_->box("txt_Wave"), pick(2) ? Qt::Key_Return : Qt::Key_Tab);
        else if (what < 7)
            clickArrow(spinner(), pick(2) == 0);
        else if (what == 7)
            QTest::keyClick(models(), pick(2) ? Qt::Key_Down : Qt::Key_Up);
        else if (what == 8)
            typeInto(models()->lineEdit());
        else
            QTest::mouseClick(w_->get<QPushButton>("Check1"), Qt::LeftButton);
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
        if (QThread::currentThread()->loopLevel() > 0) // a redraw waits in an event loop of its own
            ++actionsDuringAWait_;
        randomAction();
    }

private slots:
    void tenThousandRandomActionsLeaveAWindowThatComputesRight()
    {
        QTimer::singleShot(0, w_->window.get(), [this] { nextAction(); });
        QVERIFY2(QTest::qWaitFor([&] { return actionsDone_ >= kActions; }, 250'000), "the storm did not finish");
        QTest::qWait(1500); // every nested wait runs out
        qInfo("seed %u: %d actions, %d of them during a redraw wait", stormSeed(), actionsDone_, actionsDuringAWait_);
        QVERIFY(w_->window->isVisible());
        QVERIFY2(actionsDuringAWait_ > kActions / 2, "the storm did not reach into the redraw waits");

        // Final inputs typed like a user would, EE42 chosen, and a ripple
        // typed and taken by a step of the spinner, which recomputes all.
        for (const auto& [name, typed] : {std::pair{"txt_U_2m", "60"}, {"txt_Uout", "24"}, {"txt_Iout", "7.5"},
                                          {"txt_Fosc", "80"}, {"txt_Wave", "20"}})
            retype(w_->box(name), typed);
        models()->setCurrentIndex(kEE42Index);
        clickArrow(spinner(), true);
        QCOMPARE(w_->results() << w_->text("txt_Dmax") << w_->text("txt_Wave") << w_->text("Label3(10)"),
                 QStringList({"55.1 uH", "17 匝", "0.64 mm", "0.47 mm", "18 股", "15Ω", "20%", "21%", "21%"}));
        // Both winding pictures hold the final winding, nothing older.
        for (int index : {1, 2})
            QCOMPARE(shownPicture(*w_->picture(index)), drawnAfresh(*w_->picture(index), w_->state(), kEE42));
    }
};

QTEST_MAIN(WindowStorm)
#include "test_window_storm.moc"
