// Start-up as the program runs it: the catalogue, the defaults, the results
// the window opens with, the window's frame, and start-up failures.
#include "window_fixture.h"

#include "catalogue_fixtures.h"

#include "window/core_combo_box.h"
#include "window/ripple_scroll_bar.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHelpEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include <functional>

using namespace lout;
using namespace lout::testing;

namespace {

// Where a widget draws text in `ink`, in its own pixels: the bounding box of
// the grabbed pixels close to that colour.
QRect inkRect(QWidget* widget, const QColor& ink)
{
    const QImage image = widget->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    QRect found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - ink.red()) + std::abs(pixel.green() - ink.green()) +
                                 std::abs(pixel.blue() - ink.blue());
            if (pixel.alpha() > 128 && distance < 150)
                found |= QRect(x, y, 1, 1);
        }
    }
    return {QPoint(static_cast<int>(found.left() / ratio), static_cast<int>(found.top() / ratio)),
            QPoint(static_cast<int>(found.right() / ratio), static_cast<int>(found.bottom() / ratio))};
}

// What an error box showed before the test closed it.
struct AnsweredBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Runs `provoke` while watching for a modal message box; the first one that
// appears is read and closed with its OK button.
AnsweredBox answerTheBox(const std::function<void()>& provoke)
{
    AnsweredBox seen;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || seen.shown)
            return;
        seen = {true, box->windowTitle(), box->text(), box->icon()};
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (ok)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            box->done(QMessageBox::Ok); // a box without OK still must not hang the test
    });
    watch.start();
    provoke();
    watch.stop();
    return seen;
}

} // namespace

class WindowStartup : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::filesystem::path catalogue_;

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        catalogue_ = writeCatalogue(dir_, standardModels());
    }

    void opensWithTheDesignOfTheDefaultInputs()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        QCOMPARE(w.text("txt_U_2m"), QStringLiteral("56"));
        QCOMPARE(w.text("txt_Uout"), QStringLiteral("48"));
        QCOMPARE(w.text("txt_Iout"), QStringLiteral("10"));
        QCOMPARE(w.text("txt_Fosc"), QStringLiteral("100"));
        QCOMPARE(w.text("txt_Dmax"), QStringLiteral("43%"));
        QCOMPARE(w.text("txt_Wave"), QStringLiteral("5%"));
        QCOMPARE(w.text("Label3(10)"), QStringLiteral("5%"));
        QCOMPARE(w.text("lab_Pram(0)"), QStringLiteral("57.4 uH"));
        QCOMPARE(w.text("lab_Pram(1)"), QStringLiteral("23 匝"));
        QCOMPARE(w.text("lab_Pram(2)"), QStringLiteral("1.16 mm"));
        QCOMPARE(w.text("lab_Pram(3)"), QStringLiteral("0.42 mm"));
        QCOMPARE(w.text("lab_Pram(4)"), QStringLiteral("29 股"));
        QCOMPARE(w.text("lab_Pram(5)"), QStringLiteral("95Ω"));
        QCOMPARE(w.get<RippleScrollBar>("croWave")->value(), 5);

        const DesignState& s = w.window->designState();
        QCOMPARE(s.secondaryPeakVoltage, 56.0F);
        QCOMPARE(s.outputVoltage, 48.0F);
        QCOMPARE(s.outputCurrent, 10.0F);
        QCOMPARE(s.frequency, 100000.0F);
        QCOMPARE(s.rippleRatio, 0.05F);
        QCOMPARE(s.coreArea, 1.0F);
        QCOMPARE(s.fluxDensity, 0.25F);
        // One recomputation for the model and one for each default input.
        QCOMPARE(w.recomputations(), 6L);
        QVERIFY(w.errors->empty());
    }

    void anAccessStyleCatalogueListsItsModelsAndOpensWithTheDefaultDesign()
    {
        // As Access users make CORE_DATA: an AutoNumber key at ordinal 1,
        // Co_Ae as Single, memo notes on long-value pages, deleted rows
        // whose names would sort first, 300 models over many pages.
        const JetTable table = accessStyleCoreTable();
        const std::filesystem::path file = std::filesystem::path(dir_.path().toStdString()) / "access-style.mdb";
        writeJet4Database(file, table);
        StartedWindow w(file);
        QVERIFY(w.window);
        auto* models = w.get<QComboBox>("cmb_Core");
        QCOMPARE(models->count(), static_cast<int>(table.rows.size()));
        QCOMPARE(models->itemText(0), QStringLiteral("EE000"));
        QCOMPARE(models->itemText(models->count() - 1), QStringLiteral("EE299"));
        QCOMPARE(models->currentText(), QStringLiteral("EE006"));
        QCOMPARE(w.window->designState().coreArea, 1.0F);
        QCOMPARE(w.text("lab_Pram(0)"), QStringLiteral("57.4 uH"));
        QCOMPARE(w.text("lab_Pram(1)"), QStringLiteral("23 匝"));
        QCOMPARE(w.text("lab_Pram(2)"), QStringLiteral("1.16 mm"));
        QCOMPARE(w.text("lab_Pram(3)"), QStringLiteral("0.42 mm"));
        QCOMPARE(w.text("lab_Pram(4)"), QStringLiteral("29 股"));
        QCOMPARE(w.text("lab_Pram(5)"), QStringLiteral("95Ω"));
        QVERIFY(w.errors->empty());
    }

    void listsEveryModelInTypeOrderAndChoosesTheSeventh()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        auto* models = w.get<QComboBox>("cmb_Core");
        QStringList listed;
        for (int i = 0; i < models->count(); ++i)
            listed << models->itemText(i);
        QCOMPARE(listed, QStringList({"EC35", "EE13", "EE16", "EE19", "EE22", "EE25", "EE40", "EE42", "EI40"}));
        QCOMPARE(models->currentIndex(), kEE40Index);
        QCOMPARE(models->currentText(), QStringLiteral("EE40"));
        // A chosen name shows from its first letter, also when it is longer
        // than the field.
        QCOMPARE(models->lineEdit()->cursorPosition(), 0);
    }

    void aModelSortingFirstChangesTheDefaultModel()
    {
        QTemporaryDir dir;
        std::vector<Model> models = standardModels();
        models.push_back({"EA10", 0.5, kEE40});
        StartedWindow w(writeCatalogue(dir, models));
        QVERIFY(w.window);
        QCOMPARE(w.get<QComboBox>("cmb_Core")->currentText(), QStringLiteral("EE25"));
        QCOMPARE(w.window->designState().coreArea, 0.4F);
    }

    void exactlySevenModelsOpenWithTheLastOne()
    {
        QTemporaryDir dir;
        std::vector<Model> models = standardModels();
        models.erase(std::remove_if(models.begin(), models.end(),
                                    [](const Model& m) { return m.type == "EE42" || m.type == "EI40"; }),
                     models.end());
        StartedWindow w(writeCatalogue(dir, models));
        QVERIFY(w.window);
        auto* list = w.get<QComboBox>("cmb_Core");
        QCOMPARE(list->count(), 7);
        QCOMPARE(list->currentIndex(), 6);
        QCOMPARE(list->currentText(), QStringLiteral("EE40"));
    }

    void sixModelsEndTheProgramBeforeTheWindowAppears()
    {
        QTemporaryDir dir;
        std::vector<Model> models = standardModels();
        models.resize(6);
        const auto file = writeCatalogue(dir, models);
        std::vector<ReportedError> shown;
        const int status = runLout(application(), file,
                                   [&shown](int number, const QString& message) { shown.push_back({number, message}); });
        QVERIFY(status != 0);
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(shown.front().number, 380);
        QVERIFY2(shown.front().message.contains(QStringLiteral("无效的属性值")), qPrintable(shown.front().message));
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<Lout*>(top) && top->isVisible()));
    }

    void anEmptyOrMissingCatalogueEndsTheProgram()
    {
        QTemporaryDir dir;
        std::vector<ReportedError> shown;
        const ErrorPresenter collect = [&shown](int number, const QString& message) {
            shown.push_back({number, message});
        };
        QVERIFY(runLout(application(), writeCatalogue(dir, {}), collect) != 0);
        QVERIFY(runLout(application(), std::filesystem::path(dir.path().toStdString()) / "missing.mdb", collect) != 0);
        QCOMPARE(shown.size(), std::size_t{2});
        QCOMPARE(shown[0].number, 3021);
        QCOMPARE(shown[1].number, 3024);
        for (const ReportedError& error : shown)
            QVERIFY(!error.message.isEmpty());
    }

    void aModelWithoutAreaEndsTheProgram()
    {
        QTemporaryDir dir;
        const std::vector<Model> models = standardModels();
        JetTable table{"CORE_DATA", {{"TYPE", JetType::Text}, {"Co_Ae", JetType::Double}}, {}};
        for (char c : std::string("ABCDEFGH"))
            table.columns.push_back({std::string(1, c), JetType::Double});
        for (const Model& m : models) {
            std::vector<FieldValue> row{m.type, m.type == "EE40" ? FieldValue{} : FieldValue{m.coAe}};
            for (int i = 0; i < 8; ++i)
                row.emplace_back(10.0);
            table.rows.push_back(row);
        }
        const auto file = std::filesystem::path(dir.path().toStdString()) / "db1.mdb";
        writeJet4Database(file, table);
        std::vector<ReportedError> shown;
        const int status = runLout(application(), file,
                                   [&shown](int number, const QString& message) { shown.push_back({number, message}); });
        QVERIFY(status != 0);
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(shown.front().number, 94);
    }

    // A start-up failure is shown in the same box on every platform, then
    // the program ends with status 1 before its window appears.
    void aStartUpErrorIsShownInABoxAndEndsTheProgram()
    {
        QTemporaryDir dir;
        std::vector<Model> six = standardModels();
        six.resize(6);
        const std::filesystem::path sixModels = writeCatalogue(dir, six);
        const std::filesystem::path missing = std::filesystem::path(dir.path().toStdString()) / "missing.mdb";
        const struct {
            std::filesystem::path file;
            int number;
            QString says;
        } failures[] = {{sixModels, 380, QStringLiteral("无效的属性值")}, {missing, 3024, QStringLiteral("missing.mdb")}};
        for (const auto& failure : failures) {
            int status = -1;
            const AnsweredBox box = answerTheBox([&] { status = runLout(application(), failure.file, showErrorBox); });
            QVERIFY2(box.shown, "no error box was shown");
            QCOMPARE(box.title, QStringLiteral("Omberlin电感辅助计算"));
            QCOMPARE(box.icon, QMessageBox::Critical);
            const QString heading = QStringLiteral("运行时错误 '%1':\n\n").arg(failure.number);
            QVERIFY2(box.text.startsWith(heading) && box.text.contains(failure.says), qPrintable(box.text));
            QCOMPARE(status, 1);
            for (QWidget* top : QApplication::topLevelWidgets())
                QVERIFY(!(qobject_cast<Lout*>(top) && top->isVisible()));
        }
    }

    void startUpAddsLittleToItsSixWaits()
    {
        QElapsedTimer clock;
        clock.start();
        useApplicationFont(application());
        Lout window({});
        long recomputations = 0;
        QObject::connect(&window, &Lout::recomputed, [&recomputations] { ++recomputations; });
        window.startUp(catalogue_);
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(recomputations, 6L);
        qInfo("start-up took %lld ms, of which 600 ms are the six drawing waits", elapsed);
        QVERIFY(elapsed >= 600);
    }

    void isAFixedDialogAtTheTopLeftOfTheScreen()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        Lout& window = *w.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("正激或桥式电路  Omberlin电感辅助计算"));
        QVERIFY(!window.windowIcon().isNull());
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        // 7755 twips wide; 3400 twips high outside with the frame the
        // platform gives the shown window (the offscreen platform's frame is
        // 4 pixels high), and at least 2895 twips inside.
        QCOMPARE(window.width(), 517);
        QTRY_COMPARE(window.frameGeometry().height(), 227);
        const int height = window.height();
        QVERIFY(height >= 193);
        QCOMPARE(window.frameGeometry().topLeft(), window.screen()->geometry().topLeft());
        // The user cannot resize it either.
        window.resize(800, 600);
        QCOMPARE(window.size(), QSize(517, height));
    }

    void placesTheKeyControlsInPixels()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        QCOMPARE(w.get("Frame1")->geometry(), QRect(8, 8, 169, 185));
        QCOMPARE(w.get("Frame2")->geometry(), QRect(184, 8, 129, 153));
        QCOMPARE(w.get("PicBox(0)")->geometry(), QRect(312, 0, 193, 153));
        QCOMPARE(w.get("Frame3")->geometry(), QRect(328, 144, 177, 49));
        // Moved by start-up from Top 2880 onto the diagram's place.
        QCOMPARE(w.get("Frame4")->geometry(), QRect(328, 8, 177, 185));
        QCOMPARE(w.get("Check1")->geometry(), QRect(184, 168, 129, 25));
        QCOMPARE(w.get("txt_U_2m")->geometry(), QRect(96, 16, 49, 18));
        QCOMPARE(w.get("txt_Dmax")->geometry(), QRect(96, 136, 49, 18));
        QCOMPARE(w.get("croWave")->geometry(), QRect(144, 88, 17, 17));
        QCOMPARE(w.get("cmb_Core")->geometry(), QRect(96, 160, 65, 20));
        QCOMPARE(w.get("lab_Pram(0)")->geometry(), QRect(72, 20, 49, 17));
        QCOMPARE(w.get("lab_Pram(5)")->geometry(), QRect(72, 128, 49, 17));
        QCOMPARE(w.get("Shape1(0)")->geometry(), QRect(8, 16, 161, 25));
        QCOMPARE(w.get("PicBox(1)")->geometry().topLeft(), QPoint(40, 48));
        QCOMPARE(w.get("PicBox(2)")->geometry().topLeft(), QPoint(112, 48));
        // The ripple spinner overlaps the ripple box and lies above it.
        QVERIFY(w.get("croWave")->geometry().intersects(w.get("txt_Wave")->geometry()));
        const QObjectList siblings = w.get("Frame1")->children();
        QVERIFY(siblings.indexOf(w.get("croWave")) > siblings.indexOf(w.get("txt_Wave")));
        // Above everything else on the window: Check1, then Frame4.
        const QObjectList top = w.window->children();
        QVERIFY(top.indexOf(w.get("Check1")) > top.indexOf(w.get("Frame4")));
        QVERIFY(top.indexOf(w.get("Frame4")) > top.indexOf(w.get("Frame3")));
        QVERIFY(top.indexOf(w.get("Frame3")) > top.indexOf(w.get("PicBox(0)")));
        QVERIFY(top.indexOf(w.get("PicBox(0)")) > top.indexOf(w.get("Frame2")));
        QVERIFY(top.indexOf(w.get("Frame2")) > top.indexOf(w.get("Frame1")));
    }

    void opensInTheDiagramViewWithTheComboFocused()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        QVERIFY(w.get("PicBox(0)")->isVisible());
        QVERIFY(w.get("Frame3")->isVisible());
        QVERIFY(!w.get("Frame4")->isVisible());
        QVERIFY(!w.get<QPushButton>("Check1")->isChecked());
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        QVERIFY(focused == w.get("cmb_Core") || w.get("cmb_Core")->isAncestorOf(focused));
    }

    void theModelListExplainsTypingAhead()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        const QString tip = QStringLiteral("直接输入磁芯型号的头几个字母可以加快搜索定位");
        QWidget* models = w.get("cmb_Core");
        QCOMPARE(models->toolTip(), tip);
        const QPoint inside = models->rect().center();
        QHelpEvent hover(QEvent::ToolTip, inside, models->mapToGlobal(inside));
        QApplication::sendEvent(models, &hover);
        QTRY_COMPARE(QToolTip::text(), tip);
        QToolTip::hideText();
    }

    void textUsesATwelvePixelChineseFont()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        auto* caption = w.get<QLabel>("Label1(5)");
        QCOMPARE(caption->font().pixelSize(), 12);
        const QFontInfo used(caption->font());
        qInfo("font in use: %s", qPrintable(used.family()));
        // Seven Chinese characters at 12 pixels each, the label fitted to
        // them; Latin letters take half a cell.
        QCOMPARE(caption->width(), 84);
        QCOMPARE(w.get("Label3(11)")->width(), 18); // "kHz"
        QCOMPARE(QFontMetrics(caption->font()).horizontalAdvance(QStringLiteral("0.42 mm")), 42);
        QCOMPARE(caption->pos(), QPoint(8, 19));
    }

    void everyCaptionIsShownWholeInsideItsContainer()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        QTest::mouseClick(w.get("Check1"), Qt::LeftButton); // core view: Frame4 over Frame3
        QTest::mouseClick(w.get("Check1"), Qt::LeftButton); // back to the diagram
        int checked = 0;
        for (QLabel* label : w.window->findChildren<QLabel*>()) {
            if (label->text().isEmpty() || !label->isVisibleTo(w.window.get()) || label->objectName().startsWith("lab_Pram"))
                continue;
            QWidget* container = label->parentWidget();
            const QRect ink = inkRect(label, label->palette().color(QPalette::WindowText));
            QVERIFY2(!ink.isEmpty(), qPrintable(label->objectName()));
            const QRect inContainer = ink.translated(label->pos());
            // Inside the container's one-pixel edge, and above the window's
            // visible bottom.
            const int bottomLimit = std::min(container->height() - 1,
                                             w.window->height() - container->mapTo(w.window.get(), QPoint()).y());
            QVERIFY2(inContainer.bottom() < bottomLimit && inContainer.right() < container->width() - 1,
                     qPrintable(QStringLiteral("%1: text %2..%3 down, %4 across; %5 room in %6")
                                    .arg(label->objectName())
                                    .arg(inContainer.top())
                                    .arg(inContainer.bottom())
                                    .arg(inContainer.right())
                                    .arg(bottomLimit)
                                    .arg(container->objectName())));
            ++checked;
        }
        QCOMPARE(checked, 7 + 6 + 3 + 4 + 12);
    }

    void inputCaptionsLineUpWithTheirBoxes()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        const std::pair<const char*, const char*> rows[] = {
            {"Label1(5)", "txt_U_2m"}, {"Label1(6)", "txt_Uout"}, {"Label1(0)", "txt_Iout"},
            {"Label1(1)", "txt_Wave"}, {"Label1(2)", "txt_Fosc"}, {"Label1(3)", "txt_Dmax"}};
        for (const auto& [captionName, boxName] : rows) {
            auto* caption = w.get<QLabel>(captionName);
            auto* box = w.get<QLineEdit>(boxName);
            const QRect captionInk = inkRect(caption, caption->palette().color(QPalette::WindowText))
                                         .translated(caption->pos());
            const QRect boxInk = inkRect(box, box->palette().color(QPalette::Text)).translated(box->pos());
            QVERIFY2(!boxInk.isEmpty(), boxName);
            // The characters stand on the same line as the box's digits: a
            // Chinese character reaches at most a pixel below that line.
            const int below = captionInk.bottom() - boxInk.bottom();
            QVERIFY2(below >= -1 && below <= 1,
                     qPrintable(QStringLiteral("%1 ends at %2, %3 at %4")
                                    .arg(QLatin1String(captionName))
                                    .arg(captionInk.bottom())
                                    .arg(QLatin1String(boxName))
                                    .arg(boxInk.bottom())));
        }
    }

    void theFrameBordersRunClearOfTheRowsInside()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        for (const char* name : {"Frame1", "Frame2", "Frame3"}) {
            QWidget* frame = w.get(name);
            // The frame alone, without the controls it holds.
            QImage image(frame->size(), QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            frame->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
            const QColor face = frame->palette().color(QPalette::Window);
            int borderTop = -1;
            for (int y = 0; y < image.height() && borderTop < 0; ++y) {
                int drawn = 0;
                const int from = image.width() / 2;
                for (int x = from; x < image.width() - 8; ++x)
                    drawn += QColor(image.pixel(x, y)) != face ? 1 : 0;
                if (drawn * 10 > (image.width() - 8 - from) * 8)
                    borderTop = y;
            }
            QVERIFY2(borderTop >= 0, name);
            int firstRow = frame->height();
            for (QWidget* child : frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                firstRow = std::min(firstRow, child->y());
            QVERIFY2(borderTop < firstRow, qPrintable(QStringLiteral("%1: border at %2, first row at %3")
                                                           .arg(QLatin1String(name))
                                                           .arg(borderTop)
                                                           .arg(firstRow)));
        }
    }

    void savesScreenshotsOfBothViews()
    {
        StartedWindow w(catalogue_);
        QVERIFY(w.window);
        const QString root = QStringLiteral(LOUT_BUILD_ROOT);
        QVERIFY(w.window->grab().save(root + "/lout-diagram-view.png"));
        QTest::mouseClick(w.get("Check1"), Qt::LeftButton);
        QVERIFY(w.get("Frame4")->isVisible());
        QVERIFY(w.window->grab().save(root + "/lout-core-view.png"));
    }
};

QTEST_MAIN(WindowStartup)
#include "test_window_startup.moc"
