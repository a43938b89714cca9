// Start-up as the program runs it: the catalogue, the design the window
// opens with, start-up failures, the window's frame and looks, and what a
// screen reader hears (asked through Qt's accessibility interface).
#include "window_fixture.h"

#include "catalogue_fixtures.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QScreen>

#include <functional>

using namespace lout::testing;

namespace {

// The message boxes shown while `provoke` ran, each closed with a click on
// OK: their texts, each after its title.
QStringList answerBoxes(const std::function<void()>& provoke)
{
    QStringList seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen << box->windowTitle() + (box->icon() == QMessageBox::Critical ? " (critical): " : ": ") + box->text();
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            box->reject(); // a box without OK still must not hang the test
    });
    watch.start(10);
    provoke();
    return seen;
}

QString heard(QObject* object, QAccessible::Text which)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(which) : QStringLiteral("<no accessible interface>");
}

} // namespace

class WindowStartup : public QObject {
    Q_OBJECT
    StandardCatalogue catalogue_;
    std::unique_ptr<StartedWindow> w_; // started by opensWithTheDesignOfTheDefaultInputs, shared by those after it

private slots:
    // Shown in a critical box on every platform; the program then ends with
    // status 1 before its window appears.
    void aStartUpFailureIsShownInABoxAndEndsTheProgram()
    {
        QTemporaryDir dir;
        std::vector<Model> six = standardModels();
        six.resize(6);
        std::vector<Model> withoutArea = standardModels();
        withoutArea[3].coAe = {}; // EE40, the model start-up chooses
        const struct { std::filesystem::path file; int number; const char* says; } failures[] = {
            {writeCatalogue(dir, six, "six.mdb"), 380, "无效的属性值"},
            {writeCatalogue(dir, {}, "empty.mdb"), 3021, ""},
            {writeCatalogue(dir, withoutArea, "no-area.mdb"), 94, ""},
            {std::filesystem::path(dir.path().toStdString()) / "missing.mdb", 3024, "missing.mdb"}};
        for (const auto& failure : failures) {
            int status = -1;
            const QStringList boxes = answerBoxes([&] { status = runLout(application(), failure.file, showErrorBox); });
            QCOMPARE(boxes.size(), 1);
            const QString heading = QStringLiteral("Omberlin电感辅助计算 (critical): 运行时错误 '%1':\n\n").arg(failure.number);
            QVERIFY2(boxes[0].startsWith(heading) && boxes[0].size() > heading.size() &&
                         boxes[0].contains(QString::fromUtf8(failure.says)),
                     qPrintable(boxes[0]));
            QCOMPARE(status, 1);
            for (QWidget* top : QApplication::topLevelWidgets())
                QVERIFY(!(qobject_cast<Lout*>(top) && top->isVisible()));
        }
    }

    // One recomputation for the model and one for each default input, each
    // drawing after its 100 ms wait; the diagram shown, the model list focused.
    void opensWithTheDesignOfTheDefaultInputs()
    {
        QElapsedTimer clock;
        clock.start();
        w_ = std::make_unique<StartedWindow>(catalogue_.file);
        QVERIFY(w_->window);
        QVERIFY2(clock.elapsed() >= 600, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(w_->runs, 6L);
        QStringList inputs;
        for (const char* name : {"txt_U_2m", "txt_Uout", "txt_Iout", "txt_Fosc", "txt_Dmax", "txt_Wave", "Label3(10)"})
            inputs << w_->text(name);
        QCOMPARE(inputs, QStringList({"56", "48", "10", "100", "43%", "5%", "5%"}));
        QCOMPARE(w_->get<QScrollBar>("croWave")->value(), 5);
        QCOMPARE(w_->results(), kDefaultResults);
        QVERIFY(w_->errors.isEmpty());

        auto* models = w_->get<QComboBox>("cmb_Core");
        QCOMPARE(itemsOf(models), QStringList({"EC35", "EE13", "EE16", "EE19", "EE22", "EE25", "EE40", "EE42", "EI40"}));
        QCOMPARE(models->currentIndex(), kEE40Index);
        QCOMPARE(models->lineEdit()->cursorPosition(), 0); // the name shows from its first letter
        QCOMPARE(models->toolTip(), QStringLiteral("直接输入磁芯型号的头几个字母可以加快搜索定位"));
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        QVERIFY(w_->get("PicBox(0)")->isVisible() && w_->get("Frame3")->isVisible());
        QVERIFY(!w_->get("Frame4")->isVisible() && !w_->get<QPushButton>("Check1")->isChecked());
        QVERIFY(models == QApplication::focusWidget() || models->isAncestorOf(QApplication::focusWidget()));
    }

    // As Access users make CORE_DATA: an AutoNumber key at ordinal 1, Co_Ae as
    // Single, memo notes on long-value pages, deleted rows whose names would
    // sort first, 300 models over many pages.
    void anAccessMadeCatalogueOpensWithTheDefaultDesign()
    {
        QTemporaryDir dir;
        const auto file = std::filesystem::path(dir.path().toStdString()) / "access-style.mdb";
        writeJet4Database(file, accessStyleCoreTable());
        StartedWindow w(file);
        QVERIFY(w.window);
        const QStringList listed = itemsOf(w.get<QComboBox>("cmb_Core"));
        QCOMPARE(listed.first() + listed.last() + w.get<QComboBox>("cmb_Core")->currentText(), "EE000EE299EE006");
        QCOMPARE(w.results(), kDefaultResults);
    }

    // 7755 twips wide; 3400 twips high outside with the frame the platform
    // gives it (the offscreen platform's is 4 pixels high), at least 2895
    // inside; no one can resize it. Start-up moves the core view onto the
    // diagram's place; the spinner lies over its box, the toggle over all.
    void isAFixedDialogAtTheTopLeftOfTheScreen()
    {
        Lout& window = *w_->window;
        QCOMPARE(window.windowTitle(), QStringLiteral("正激或桥式电路  Omberlin电感辅助计算"));
        QVERIFY(!window.windowIcon().isNull());
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint) &&
                !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(window.width(), 517);
        QTRY_COMPARE(window.frameGeometry().height(), 227);
        const int height = window.height();
        QVERIFY(height >= 193);
        QCOMPARE(window.frameGeometry().topLeft(), window.screen()->geometry().topLeft());
        window.resize(800, 600);
        QCOMPARE(window.size(), QSize(517, height));

        QCOMPARE(w_->get("Frame4")->geometry(), QRect(328, 8, 177, 185));
        QVERIFY(w_->get("croWave")->geometry().intersects(w_->get("txt_Wave")->geometry()));
        const QObjectList inputs = w_->get("Frame1")->children();
        QVERIFY(inputs.indexOf(w_->get("croWave")) > inputs.indexOf(w_->get("txt_Wave")));
        const char* const bottomUp[] = {"Frame1", "Frame2", "PicBox(0)", "Frame3", "Frame4", "Check1"};
        for (std::size_t i = 1; i < std::size(bottomUp); ++i)
            QVERIFY2(window.children().indexOf(w_->get(bottomUp[i])) > window.children().indexOf(w_->get(bottomUp[i - 1])),
                     bottomUp[i]);
    }

    // Named (with its unit) and valued. A text box has no label relation,
    // which a screen reader would read in place of its name and unit; the
    // model list is labelled by its caption (on Linux Qt names a combo box
    // by its text) and a result by the caption beside it.
    void eachControlIsHeardByItsCaption()
    {
        const char* const heardAs[][4] = {
            {"txt_U_2m", "次级输出电压（V）", "56", ""}, {"txt_Uout", "滤波输出电压（V）", "48", ""},
            {"txt_Iout", "最大额定电流（A）", "10", ""}, {"txt_Wave", "允许电流纹波（%）", "5%", ""},
            {"txt_Fosc", "开关工作频率（kHz）", "100", ""}, {"txt_Dmax", "最大占空系数", "43%", ""},
            {"croWave", "允许电流纹波（%）", "5", ""}, {"cmb_Core", "EE40", "EE40", "准备选用磁芯："},
            {"Check1", "选择图示方式", "", ""}, {"lab_Pram(0)", "滤波电感 57.4 uH", "57.4 uH", "滤波电感："},
            {"lab_Pram(1)", "绕组圈数 23 匝", "23 匝", "绕组圈数："}, {"lab_Pram(2)", "磁芯间隙 1.16 mm", "1.16 mm", "磁芯间隙："},
            {"lab_Pram(3)", "最佳线径 0.42 mm", "0.42 mm", "最佳线径："}, {"lab_Pram(4)", "导线股数 29 股", "29 股", "导线股数："},
            {"lab_Pram(5)", "死负载 95Ω", "95Ω", "死 负 载："}};
        for (const auto& [control, name, value, caption] : heardAs) {
            QWidget* widget = w_->get(control);
            QStringList labelledBy; // by a caption, not a frame's title
            for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label))
                if (label->text(QAccessible::Name).endsWith(QStringLiteral("：")))
                    labelledBy << label->text(QAccessible::Name);
            const QStringList seen = {control, heard(widget, QAccessible::Name), *value ? heard(widget, QAccessible::Value) : "",
                                      labelledBy.join('|')};
            QCOMPARE(seen.join(" / "), QStringList({control, name, value, caption}).join(" / "));
        }
    }

    // Nothing the keyboard reaches is nameless, the model list's text field
    // neither; a result is heard with its new value after a ripple step from
    // the keyboard.
    void everyControlIsHeardAndEveryResultWithItsNewValue()
    {
        QCOMPARE(heard(w_->get<QComboBox>("cmb_Core")->lineEdit(), QAccessible::Name), QStringLiteral("准备选用磁芯"));
        for (QWidget* widget : w_->window->findChildren<QWidget*>())
            if (widget->focusPolicy() != Qt::NoFocus && widget->isVisibleTo(w_->window.get()))
                QVERIFY2(!heard(widget, QAccessible::Name).isEmpty(), widget->metaObject()->className());
        auto* bar = w_->get<QScrollBar>("croWave");
        bar->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(heard(bar, QAccessible::Value), QStringLiteral("10"));
        QCOMPARE(heard(w_->get("lab_Pram(0)"), QAccessible::Name), QStringLiteral("滤波电感 28.7 uH"));
        QCOMPARE(heard(w_->get("lab_Pram(5)"), QAccessible::Name), QStringLiteral("死负载 47Ω"));
    }

    void cleanupTestCase() { w_.reset(); }
};

QTEST_MAIN(WindowStartup)
#include "test_window_startup.moc"
