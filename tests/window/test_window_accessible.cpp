// What a screen reader hears, asked through Qt's accessibility interface:
// every control named by its caption (and unit), and every result read
// with its caption and its value of the moment.
#include "window_fixture.h"

#include <QAccessible>
#include <QComboBox>

using namespace lout;
using namespace lout::testing;

namespace {

QString accessibleText(QObject* object, QAccessible::Text which)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(which) : QStringLiteral("<no accessible interface>");
}

// What a control is labelled by (its caption, its frame), as read.
QStringList labelledBy(QObject* object)
{
    QStringList captions;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    for (const auto& [label, relation] : face->relations(QAccessible::Label))
        captions << label->text(QAccessible::Name);
    return captions;
}

} // namespace

class WindowAccessible : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<StartedWindow> w_;

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        w_ = std::make_unique<StartedWindow>(writeCatalogue(dir_, standardModels()));
        QVERIFY(w_->window);
    }

    void eachControlIsNamedByItsCaption_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* control, const char* name, const char* value, const char* caption) {
            QTest::newRow(control) << QString::fromUtf8(control) << QString::fromUtf8(name)
                                   << QString::fromUtf8(value) << QString::fromUtf8(caption);
        };
        row("txt_U_2m", "次级输出电压（V）", "56", "次级输出电压：");
        row("txt_Uout", "滤波输出电压（V）", "48", "滤波输出电压：");
        row("txt_Iout", "最大额定电流（A）", "10", "最大额定电流：");
        row("txt_Wave", "允许电流纹波", "5%", "允许电流纹波：");
        row("txt_Fosc", "开关工作频率（kHz）", "100", "开关工作频率：");
        row("txt_Dmax", "最大占空系数", "43%", "最大占空系数：");
        row("croWave", "允许电流纹波（%）", "5", "");
        // On Linux Qt names a combo box by its text and leaves the caption
        // to the label relation, which is what a screen reader reads.
        row("cmb_Core", "EE40", "EE40", "准备选用磁芯：");
        row("Check1", "选择图示方式", "", "");
        row("lab_Pram(0)", "滤波电感 57.4 uH", "57.4 uH", "滤波电感：");
        row("lab_Pram(1)", "绕组圈数 23 匝", "23 匝", "绕组圈数：");
        row("lab_Pram(2)", "磁芯间隙 1.16 mm", "1.16 mm", "磁芯间隙：");
        row("lab_Pram(3)", "最佳线径 0.42 mm", "0.42 mm", "最佳线径：");
        row("lab_Pram(4)", "导线股数 29 股", "29 股", "导线股数：");
        row("lab_Pram(5)", "死负载 95Ω", "95Ω", "死 负 载：");
    }

    void eachControlIsNamedByItsCaption()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, caption);
        QWidget* widget = w_->get(control.toUtf8().constData());
        QVERIFY(widget);
        QCOMPARE(accessibleText(widget, QAccessible::Name), name);
        if (!value.isEmpty())
            QCOMPARE(accessibleText(widget, QAccessible::Value), value);
        // Labelled by the caption beside it (and by its frame's title).
        if (!caption.isEmpty())
            QVERIFY2(labelledBy(widget).contains(caption), qPrintable(labelledBy(widget).join(QLatin1Char('|'))));
    }

    void theModelListsTextFieldIsNamed()
    {
        QComboBox* models = w_->get<QComboBox>("cmb_Core");
        QVERIFY(models->lineEdit());
        QCOMPARE(accessibleText(models->lineEdit(), QAccessible::Name), QStringLiteral("准备选用磁芯"));
    }

    void nothingTheKeyboardReachesIsNameless()
    {
        // The text field inside the model list too.
        for (QWidget* widget : w_->window->findChildren<QWidget*>()) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(w_->window.get()))
                continue;
            QVERIFY2(!accessibleText(widget, QAccessible::Name).isEmpty(),
                     qPrintable(QStringLiteral("%1 (%2) has no accessible name")
                                    .arg(widget->objectName(), QString::fromLatin1(widget->metaObject()->className()))));
        }
    }

    void aResultIsHeardWithItsNewValue()
    {
        // A ripple step from the keyboard rewrites every result.
        auto* bar = w_->get<QScrollBar>("croWave");
        bar->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(bar->value(), 10);
        QCOMPARE(accessibleText(bar, QAccessible::Value), QStringLiteral("10"));
        QCOMPARE(accessibleText(w_->get("lab_Pram(0)"), QAccessible::Name), QStringLiteral("滤波电感 28.7 uH"));
        QCOMPARE(accessibleText(w_->get("lab_Pram(5)"), QAccessible::Name), QStringLiteral("死负载 47Ω"));

        // Typed input: the name follows the label's text whatever it is.
        QLineEdit* current = w_->get<QLineEdit>("txt_Iout");
        current->selectAll();
        QTest::keyClicks(current, "2.5");
        QCOMPARE(accessibleText(current, QAccessible::Value), QStringLiteral("2.5"));
        for (const char* result : {"lab_Pram(0)", "lab_Pram(4)"}) {
            QLabel* label = w_->get<QLabel>(result);
            QVERIFY(accessibleText(label, QAccessible::Name).endsWith(QLatin1Char(' ') + label->text()));
        }
        QCOMPARE(accessibleText(w_->get("lab_Pram(0)"), QAccessible::Name), QStringLiteral("滤波电感 114.9 uH"));
    }
};

QTEST_MAIN(WindowAccessible)
#include "test_window_accessible.moc"
