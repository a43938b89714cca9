// The core drawing and the waveform diagram in the real window: the outline
// and the winding windows follow the core, the winding is drawn in red where
// its circles are, the views swap without redrawing, a change during the
// drawing's wait leaves the newest picture, and the wait itself.
#include "window_fixture.h"

#include "drawing/circle_packing.h"
#include "drawing/core_window.h"
#include "drawing/winding_image.h"
#include "window/event_wait.h"
#include "window/winding_picture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <sys/resource.h>

#include <cmath>

using namespace lout;
using namespace lout::testing;

namespace {

double cpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

CoreWindowLayout layoutOf(const char* type, const std::array<double, 6>& dims)
{
    CoreDimensions core{std::string(type), {}};
    for (std::size_t i = 0; i < dims.size(); ++i)
        core.millimetres[i] = dims[i];
    return layoutCoreWindow(core, 2415, 375);
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 160 && qBlue(pixel) < 160;
}

int redPixels(const QImage& image)
{
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += isRed(image.pixel(x, y)) ? 1 : 0;
    return red;
}

// The winding both pictures should show for the window's current state.
Winding windingOf(const DesignState& s, const CoreWindowLayout& layout)
{
    return Winding{*layout.usableHeight, *layout.windowScale, *windingCount(s.turns), *windingCount(s.strands),
                   s.wireDiameter};
}

QImage drawnAfresh(const WindingPicture& picture, const Winding& winding)
{
    QImage image(picture.image().size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(picture.image().devicePixelRatio());
    drawWinding(image, picture.palette().color(QPalette::Base), winding, QColor(255, 0, 0),
                image.devicePixelRatio() / 15.0);
    return image;
}

} // namespace

class WindowDrawing : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::filesystem::path catalogue_;
    std::unique_ptr<StartedWindow> w_;

    WindingPicture* picture(int index) const
    {
        return w_->get<WindingPicture>(qPrintable(QStringLiteral("PicBox(%1)").arg(index)));
    }
    long runs() const { return w_->recomputations(); }

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

    void theOutlineAndWindowsAreScaledToTheCore()
    {
        // EE40: legs 603.75 twips, window pictures 967.39136 twips.
        for (int leg = 1; leg <= 3; ++leg)
            QCOMPARE(w_->get(qPrintable(QStringLiteral("Shape1(%1)").arg(leg)))->height(), 40);
        QCOMPARE(picture(1)->height(), 64);
        QCOMPARE(picture(2)->height(), 64);
        QCOMPARE(picture(1)->width(), 25);
        QCOMPARE(w_->get("Shape1(0)")->width(), 161);

        auto* models = w_->get<QComboBox>("cmb_Core");
        models->setFocus();
        QTest::keyClick(models, Qt::Key_Down); // EE42: E 15 mm, B 30 mm
        QCOMPARE(models->currentText(), QStringLiteral("EE42"));
        QCOMPARE(w_->get("Shape1(2)")->height(), 58); // 862.5 twips
        QCOMPARE(picture(1)->height(), 88);            // 1319.6 twips
        QCOMPARE(picture(2)->height(), 88);
        QCOMPARE(w_->get("Shape1(0)")->width(), 161);
        QCOMPARE(picture(1)->width(), 25);
    }

    void theWindingIsDrawnWhileTheCoreViewIsHidden()
    {
        QVERIFY(!w_->get("Frame4")->isVisible());
        for (int index : {1, 2}) {
            const QImage& image = picture(index)->image();
            int red = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    red += isRed(image.pixel(x, y)) ? 1 : 0;
            QVERIFY2(red > 0, qPrintable(QStringLiteral("PicBox(%1) is empty").arg(index)));
        }
    }

    void afterACoreChangeRedIsWhereTheCirclesAreAndNowhereElse()
    {
        // A low frequency gives a thick wire, several pixels across.
        w_->get<QLineEdit>("txt_Fosc")->setText(QStringLiteral("10"));
        auto* models = w_->get<QComboBox>("cmb_Core");
        models->setFocus();
        QTest::keyClick(models, Qt::Key_Down);
        QCOMPARE(models->currentText(), QStringLiteral("EE42"));

        const Winding winding = windingOf(w_->window->designState(), layoutOf("EE42", kEE42));
        QVERIFY(winding.diameter * winding.twipsPerMm / 15 > 3);
        for (int index : {1, 2}) {
            const std::vector<Circle> circles = packWindingCircles(winding);
            const QImage& image = picture(index)->image();
            const double scale = image.devicePixelRatio() / 15.0;
            int visible = 0;
            for (const Circle& c : circles) {
                const int x = static_cast<int>(c.cx * scale);
                const int y = static_cast<int>(c.cy * scale);
                if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
                    continue;
                ++visible;
                QVERIFY2(isRed(image.pixel(x, y)), qPrintable(QStringLiteral("no red at circle centre %1,%2 of PicBox(%3)")
                                                                  .arg(x).arg(y).arg(index)));
            }
            QVERIFY(visible > 0);
            const QRgb background = picture(index)->palette().color(QPalette::Base).rgb();
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (image.pixel(x, y) == background)
                        continue;
                    const double px = (x + 0.5) / scale;
                    const double py = (y + 0.5) / scale;
                    const bool inCircle = std::any_of(circles.begin(), circles.end(), [&](const Circle& c) {
                        return std::hypot(px - c.cx, py - c.cy) <= c.r + 1.0 / scale;
                    });
                    QVERIFY2(inCircle, qPrintable(QStringLiteral("stray pixel %1,%2 in PicBox(%3)").arg(x).arg(y).arg(index)));
                }
            }
        }

        // On screen, in the core view, red lies only inside the two pictures.
        QTest::mouseClick(w_->get("Check1"), Qt::LeftButton);
        QWidget* frame = w_->get("Frame4");
        QVERIFY(frame->isVisible());
        const QImage shot = frame->grab().toImage();
        const QRect left = picture(1)->geometry();
        const QRect right = picture(2)->geometry();
        int redOnScreen = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (!isRed(shot.pixel(x, y)))
                    continue;
                ++redOnScreen;
                const QPoint at(static_cast<int>(x / shot.devicePixelRatio()), static_cast<int>(y / shot.devicePixelRatio()));
                QVERIFY2(left.contains(at) || right.contains(at), qPrintable(QStringLiteral("red at %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(redOnScreen > 0);
    }

    // Both winding windows hold the same winding, each first column one gap
    // and one wire diameter from its left edge: after a new diameter, and
    // after the frequency is emptied (no usable diameter) and typed again.
    void bothWindowsShowTheSameWindingAfterEveryChange()
    {
        auto* fosc = w_->get<QLineEdit>("txt_Fosc");
        fosc->setFocus();
        const auto expectSame = [&](const char* typed, bool drawn) {
            const QImage& left = picture(1)->image();
            const QImage& right = picture(2)->image();
            QVERIFY2(left == right, qPrintable(QStringLiteral("the windows differ after typing \"%1\"").arg(typed)));
            QVERIFY2((redPixels(right) > 0) == drawn, typed);
            if (drawn) {
                // The first circle's left edge lies at 0.1 mm + Dx.
                const Winding winding = windingOf(w_->window->designState(), layoutOf("EE40", kEE40));
                const std::vector<Circle> circles = packWindingCircles(winding);
                QVERIFY(!circles.empty());
                QCOMPARE(circles.front().cx - circles.front().r,
                         static_cast<float>((0.1 + static_cast<double>(winding.diameter)) * winding.twipsPerMm));
            }
        };
        fosc->selectAll();
        QTest::keyClicks(fosc, "50"); // 0.42 mm becomes 0.59 mm
        expectSame("50", true);
        if (QTest::currentTestFailed())
            return;
        fosc->selectAll();
        QTest::keyClick(fosc, Qt::Key_Delete); // no frequency: an infinite diameter, no strands
        expectSame("", false);
        if (QTest::currentTestFailed())
            return;
        QTest::keyClicks(fosc, "1"); // too many turns to draw: the pictures stay
        expectSame("1", false);
        if (QTest::currentTestFailed())
            return;
        QTest::keyClicks(fosc, "0"); // 10 kHz: 1.32 mm
        expectSame("10", true);
    }

    void theViewsSwapWithoutRecomputingOrRedrawing()
    {
        auto* toggle = w_->get<QPushButton>("Check1");
        const long before = runs();
        const QImage left = picture(1)->image();
        const QImage right = picture(2)->image();
        QStringList results;
        for (int i = 0; i < 6; ++i)
            results << w_->text(qPrintable(QStringLiteral("lab_Pram(%1)").arg(i)));
        const QImage diagram = w_->get("PicBox(0)")->grab().toImage();

        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->isChecked());
        QVERIFY(!w_->get("PicBox(0)")->isVisible());
        QVERIFY(w_->get("Frame4")->isVisible());
        QVERIFY(w_->get("Frame3")->isVisibleTo(w_->window.get())); // covered, not hidden
        QVERIFY(w_->get("Frame4")->geometry().contains(w_->get("Frame3")->geometry()));
        // Nothing of the formula tips shows through the core drawing.
        const QRect tipsArea = w_->get("Frame3")->geometry();
        const QImage covered = w_->window->grab(tipsArea).toImage();
        w_->get("Frame3")->hide();
        const QImage without = w_->window->grab(tipsArea).toImage();
        w_->get("Frame3")->show();
        QCOMPARE(covered, without);

        toggle->setFocus();
        QTest::keyClick(toggle, Qt::Key_Space);
        QVERIFY(!toggle->isChecked());
        QVERIFY(w_->get("PicBox(0)")->isVisible());
        QVERIFY(!w_->get("Frame4")->isVisible());

        QCOMPARE(runs(), before);
        QCOMPARE(picture(1)->image(), left);
        QCOMPARE(picture(2)->image(), right);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w_->text(qPrintable(QStringLiteral("lab_Pram(%1)").arg(i))), results.at(i));
        QCOMPARE(w_->get("PicBox(0)")->grab().toImage(), diagram);
    }

    void theDrawingSurvivesHidingAndRepainting()
    {
        QTest::mouseClick(w_->get("Check1"), Qt::LeftButton);
        const QImage before = picture(1)->grab().toImage();
        w_->get("Frame4")->hide();
        w_->get("Frame4")->show();
        picture(1)->repaint();
        QCOMPARE(picture(1)->grab().toImage(), before);
    }

    void anAbsurdCoreKeepsThePicturesWithinReason()
    {
        // An E of ten kilometres makes the window pictures millions of
        // pixels tall; a window only 1.05 mm wide makes their height
        // negative. Neither may exhaust memory or break the window.
        std::vector<Model> models = standardModels();
        models.push_back({"EE97", 1.0, {40, 28, 12, 10, 1e7, 20}});
        models.push_back({"EE98", 1.0, {40, 14.1, 12, 10, 10, 20}});
        QTemporaryDir dir;
        StartedWindow odd(writeCatalogue(dir, models));
        QVERIFY(odd.window);
        auto* list = odd.get<QComboBox>("cmb_Core");
        auto* left = odd.get<WindingPicture>("PicBox(1)");
        const int frameHeight = odd.get("Frame4")->height();

        list->setCurrentIndex(list->findText(QStringLiteral("EE97")));
        QCOMPARE(odd.window->designState().coreArea, 1.0F);
        QVERIFY(left->height() > frameHeight);
        QVERIFY(left->image().height() <= frameHeight * left->devicePixelRatio());
        QVERIFY(!left->image().isNull());

        list->setCurrentIndex(list->findText(QStringLiteral("EE98")));
        QCOMPARE(left->height(), 0);
        QVERIFY(odd.window->isVisible());
        QVERIFY(odd.errors->empty());
    }

    void aChangeDuringTheWaitLeavesTheNewestPicture()
    {
        auto* models = w_->get<QComboBox>("cmb_Core");
        const long before = runs();
        // Posted now, handled during the redraw's wait below: the model
        // changes while the frequency's recomputation is drawing.
        QTimer::singleShot(0, models, [models] { models->setCurrentIndex(kEE42Index); });
        w_->get<QLineEdit>("txt_Fosc")->setText(QStringLiteral("50"));
        QCOMPARE(runs(), before + 2);
        QCOMPARE(models->currentText(), QStringLiteral("EE42"));

        const DesignState& s = w_->window->designState();
        const Winding newest = windingOf(s, layoutOf("EE42", kEE42));
        const QImage left = drawnAfresh(*picture(1), newest);
        const QImage right = drawnAfresh(*picture(2), newest);
        QCOMPARE(picture(1)->image(), left);
        QCOMPARE(picture(2)->image(), right);

        // What the interrupted pass would have drawn over it: its own usable
        // height with the newest scale and counts. It must differ, or this
        // test would prove nothing.
        Winding stale = newest;
        stale.usableHeight = *layoutOf("EE40", kEE40).usableHeight;
        QVERIFY(drawnAfresh(*picture(1), stale) != left);
    }

    void theWaitLastsItsTimeAndHandlesEvents()
    {
        Lout& window = *w_->window;
        bool handled = false;
        QTimer::singleShot(0, &window, [&handled] { handled = true; });
        waitHandlingEvents(0);
        QVERIFY(!handled);

        QElapsedTimer clock;
        clock.start();
        waitHandlingEvents(100);
        const qint64 waited = clock.elapsed();
        QVERIFY(handled);
        QVERIFY2(waited >= 100, qPrintable(QString::number(waited)));
    }

    void theWaitUsesLittleProcessorTime()
    {
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = cpuMilliseconds();
        waitHandlingEvents(500);
        const double cpu = cpuMilliseconds() - cpuBefore;
        const qint64 wall = clock.elapsed();
        qInfo("a 500 ms wait: %lld ms wall, %.1f ms processor", wall, cpu);
        QVERIFY(wall >= 500);
    }

    void aWaitInsideAWaitEndsBoth()
    {
        Lout& window = *w_->window;
        QElapsedTimer clock;
        clock.start();
        qint64 innerEnded = -1;
        QTimer::singleShot(10, &window, [&] {
            waitHandlingEvents(150);
            innerEnded = clock.elapsed();
        });
        waitHandlingEvents(50);
        QVERIFY(innerEnded >= 160);
        QVERIFY(clock.elapsed() >= innerEnded);
    }

    void theDiagramIsDrawnAsDesigned()
    {
        QWidget* diagram = w_->get("PicBox(0)");
        const QImage shot = diagram->grab().toImage();
        // The vertical axis (x 180 twips, 2 px wide) and the time axis.
        QCOMPARE(QColor(shot.pixel(12, 80)), QColor(0, 0, 192));
        QCOMPARE(QColor(shot.pixel(100, 136)), QColor(0, 0, 192));
        // The first rising edge of U2 (x 240) and the first high level.
        QCOMPARE(QColor(shot.pixel(16, 100)), QColor(0, 192, 192));
        QCOMPARE(QColor(shot.pixel(40, 16)), QColor(0, 192, 192));
        // The rising current of the first Ton, 3 px wide, in red.
        QVERIFY(isRed(shot.pixel(44, 48)));
        // The origin's label is opaque grey.
        QWidget* origin = w_->get("Label3(2)");
        QCOMPARE(QColor(shot.pixel(origin->geometry().topLeft() + QPoint(1, 1))), QColor(192, 192, 192));
        // Lines lie over the labels beneath them: the time axis over the
        // origin's grey, the second rising edge of U2 over the ΔIo label.
        QCOMPARE(QColor(shot.pixel(origin->geometry().topLeft() + QPoint(4, 1))), QColor(0, 0, 192));
        QCOMPARE(QColor(shot.pixel(104, 36)), QColor(0, 192, 192));
    }

    // PicBox(0) has a one-pixel frame: the drawing is placed from the corner
    // inside it, and nothing of it paints over the frame.
    void theDiagramLiesInsideThePicturesFrame()
    {
        auto* diagram = w_->get<QFrame>("PicBox(0)");
        QCOMPARE(diagram->frameWidth(), 1);
        w_->get<QScrollBar>("croWave")->setValue(10); // "10%" reaches past the right edge
        const QImage shot = diagram->grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), 1.0);
        // The picture alone: its frame and background, nothing on it.
        QImage bare(diagram->size(), QImage::Format_ARGB32);
        bare.fill(Qt::transparent);
        diagram->render(&bare, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const bool onFrame = x == 0 || y == 0 || x == shot.width() - 1 || y == shot.height() - 1;
                QVERIFY2(!onFrame || shot.pixel(x, y) == bare.pixel(x, y),
                         qPrintable(QStringLiteral("the drawing paints over the frame at %1,%2").arg(x).arg(y)));
            }
        }
        // The vertical axis, two pixels wide on x 180 twips (12 px), and the
        // time axis on y 2040 twips (136 px), counted from inside the frame.
        const QColor axis(0, 0, 192);
        const QColor background = diagram->palette().color(QPalette::Window);
        QCOMPARE(QColor(shot.pixel(11, 80)), background);
        QCOMPARE(QColor(shot.pixel(12, 80)), axis);
        QCOMPARE(QColor(shot.pixel(13, 80)), axis);
        QCOMPARE(QColor(shot.pixel(100, 135)), background);
        QCOMPARE(QColor(shot.pixel(100, 137)), axis);
    }

    void theRippleLabelIsCutOffAtThePictureEdge()
    {
        auto* picture = w_->get<QFrame>("PicBox(0)");
        QWidget* ratio = w_->get("Label3(10)");
        // Placed in the picture's client area, inside its frame.
        QWidget* diagram = ratio->parentWidget();
        QCOMPARE(diagram->parentWidget(), picture);
        QCOMPARE(diagram->geometry(), picture->contentsRect());
        QCOMPARE(ratio->x(), 176); // 2640 twips
        // With 6-pixel Latin cells "5%" ends at 2820 twips and fits.
        QCOMPARE(ratio->x() + ratio->width(), 188);
        const int narrow = ratio->width();
        w_->get<QScrollBar>("croWave")->setValue(100);
        QCOMPARE(w_->text("Label3(10)"), QStringLiteral("100%"));
        QCOMPARE(ratio->x(), 176);
        // Grown to the right and cut off by the picture.
        const QRect wide = QFontMetrics(ratio->font()).tightBoundingRect(QStringLiteral("100%"));
        QVERIFY(ratio->x() + wide.right() >= diagram->width());
        QVERIFY(ratio->width() >= wide.width());
        QVERIFY(ratio->width() > narrow);
        w_->get<QScrollBar>("croWave")->setValue(10);
        QCOMPARE(ratio->x() + ratio->width(), 194); // 2910 twips: cut off at the frame
    }

    void theDiagramIsStackedAsDesigned()
    {
        const QStringList topmostFirst = {
            "Label3(15)",  "linU2(7)",    "linU2(6)",    "linU2(5)",    "linU2(4)",    "linU2(3)",
            "linU2(2)",    "linU2(1)",    "linU2(0)",    "linScale(7)", "linScale(6)", "linScale(2)",
            "linCoord(2)", "linCoord(3)", "linCoord(4)", "linCoord(5)", "Label3(7)",   "linCoord(0)",
            "linCoord(1)", "Label3(0)",   "Label3(1)",   "Label3(2)",   "Label3(3)",   "linIout(0)",
            "linIout(1)",  "linIout(2)",  "linIout(3)",  "linScale(3)", "linScale(4)", "Label3(4)",
            "linScale(5)", "Label3(5)",   "linScale(1)", "linScale(8)", "linScale(9)", "Label3(6)",
            "Label3(8)",   "Label3(9)",   "Label3(10)",  "linScale(0)"};
        QStringList stacked;
        const QObjectList children = w_->get("Label3(10)")->parentWidget()->children();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            if (!(*child)->objectName().isEmpty())
                stacked << (*child)->objectName();
        QCOMPARE(stacked, topmostFirst);
    }
};

QTEST_MAIN(WindowDrawing)
#include "test_window_drawing.moc"
