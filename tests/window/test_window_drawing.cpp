// The core drawing and the waveform diagram in the real window: the winding
// is drawn in red where its circles are, alike in both windows, the views
// swap without redrawing, a change during the drawing's wait leaves the
// newest picture, and the diagram is drawn inside its frame.
#include "window_fixture.h"

#include <QFrame>

using namespace lout::testing;

namespace {

// How many pixels of `image` pass `test(x, y, pixel)`.
template <class Test>
int countPixels(const QImage& image, Test test)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(x, y, image.pixel(x, y)) ? 1 : 0;
    return count;
}

int redPixels(const QImage& image)
{
    return countPixels(image, [](int, int, QRgb pixel) { return isRed(pixel); });
}

} // namespace

class WindowDrawing : public FreshWindowSuite {
    Q_OBJECT

private slots:
    // Drawn at start-up while the core view is hidden. When the model changes
    // while the frequency's recomputation waits to draw, both pictures show
    // the newest winding in red, and the interrupted pass draws nothing over
    // it; on screen red lies only inside the two pictures.
    void theNewestWindingIsDrawnInRedInBothPicturesOnly()
    {
        QVERIFY(redPixels(shownPicture(*w_->picture(1))) > 0 && redPixels(shownPicture(*w_->picture(2))) > 0);
        auto* models = w_->get<QComboBox>("cmb_Core");
        QTimer::singleShot(0, models, [models] { models->setCurrentIndex(kEE42Index); });
        w_->box("txt_Fosc")->setText(QStringLiteral("10")); // a thick wire, several pixels across
        QCOMPARE(w_->runs, 6 + 2L);
        QCOMPARE(models->currentText(), QStringLiteral("EE42"));
        for (int index : {1, 2})
            QCOMPARE(shownPicture(*w_->picture(index)), drawnAfresh(*w_->picture(index), w_->state(), kEE42));
        // The older core's winding looks otherwise, or this would prove nothing.
        QVERIFY(drawnAfresh(*w_->picture(1), w_->state(), kEE40) != shownPicture(*w_->picture(1)));

        QTest::mouseClick(w_->get("Check1"), Qt::LeftButton);
        const QImage shot = w_->get("Frame4")->grab().toImage();
        QVERIFY(redPixels(shot) > 0);
        const int outside = countPixels(shot, [&](int x, int y, QRgb pixel) {
            const QPoint at = QPoint(x, y) / shot.devicePixelRatio();
            return isRed(pixel) && !w_->picture(1)->geometry().contains(at) && !w_->picture(2)->geometry().contains(at);
        });
        QCOMPARE(outside, 0);
    }

    // Whenever the drawing stops before it draws, both pictures are blank;
    // the next design that can be drawn is drawn again, alike in both.
    void aDrawingThatStopsLeavesBothPicturesBlank_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("stops");
        QTest::addColumn<QString>("draws");
        QTest::addRow("2300 turns") << "txt_Fosc" << "1" << "100";
        QTest::addRow("infinitely many turns") << "txt_U_2m" << "0" << "56";
        QTest::addRow("turns not produced") << "croWave" << "0" << "5";
        QTest::addRow("a frequency beyond the single range") << "txt_Fosc" << "100e40" << "100";
        QTest::addRow("no usable diameter") << "txt_Fosc" << "" << "50";
        QTest::addRow("A of 0 mm") << "cmb_Core" << "EE41" << "EE40";
        QTest::addRow("a usable width of 0.00 mm") << "cmb_Core" << "EE43" << "EE40";
        QTest::addRow("an unknown family") << "cmb_Core" << "XX40" << "EE42";
    }

    void aDrawingThatStopsLeavesBothPicturesBlank()
    {
        QFETCH(QString, control);
        QFETCH(QString, stops);
        QFETCH(QString, draws);
        WindowWithMoreModels with(
            {{"EE41", 1.0, {0, 28, 12, 10, 10, 20}}, {"EE43", 1.0, {40, 14.2, 12, 10, 10, 20}}, {"XX40", 1.0, kEE40}});
        StartedWindow& w = with.w;
        QVERIFY(w.window);
        const auto set = [&](const QString& value) {
            if (auto* list = w.get<QComboBox>(control); control == "cmb_Core")
                list->setCurrentIndex(list->findText(value));
            else if (control == "croWave")
                w.get<QScrollBar>(control)->setValue(value.toInt());
            else
                w.box(control)->setText(value);
        };
        const auto blank = [&](int index) {
            QImage background(shownPicture(*w.picture(index)).size(), QImage::Format_ARGB32_Premultiplied);
            background.setDevicePixelRatio(shownPicture(*w.picture(index)).devicePixelRatio());
            background.fill(w.picture(index)->palette().color(QPalette::Base));
            return background;
        };
        QVERIFY(shownPicture(*w.picture(1)) != blank(1));
        set(stops);
        for (int index : {1, 2})
            QCOMPARE(shownPicture(*w.picture(index)), blank(index));
        set(draws);
        const auto dims = draws == "EE42" ? kEE42 : kEE40;
        for (int index : {1, 2})
            QCOMPARE(shownPicture(*w.picture(index)), drawnAfresh(*w.picture(index), w.state(), dims));
        QVERIFY(shownPicture(*w.picture(1)) != blank(1));
    }

    // With a click and with the space bar, recomputing and redrawing
    // nothing; the core view covers the formula tips wholly.
    void theViewsSwapWithoutRecomputingOrRedrawing()
    {
        auto* toggle = w_->get<QPushButton>("Check1");
        const long before = w_->runs;
        const QImage winding = shownPicture(*w_->picture(1));
        const QStringList results = w_->results();
        const QImage diagram = w_->get("PicBox(0)")->grab().toImage();
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->isChecked() && !w_->get("PicBox(0)")->isVisible() && w_->get("Frame4")->isVisible());
        QWidget* tips = w_->get("Frame3");
        QVERIFY(tips->isVisibleTo(w_->window.get())); // covered, not hidden
        const QImage covered = w_->window->grab(tips->geometry()).toImage();
        tips->hide();
        QCOMPARE(w_->window->grab(tips->geometry()).toImage(), covered);
        tips->show();

        toggle->setFocus();
        QTest::keyClick(toggle, Qt::Key_Space);
        QVERIFY(!toggle->isChecked() && w_->get("PicBox(0)")->isVisible() && !w_->get("Frame4")->isVisible());
        QCOMPARE(w_->runs, before);
        QCOMPARE(shownPicture(*w_->picture(1)), winding);
        QCOMPARE(w_->results(), results);
        QCOMPARE(w_->get("PicBox(0)")->grab().toImage(), diagram);
    }

    // An E of ten kilometres makes the window pictures millions of pixels
    // tall; a window only 1.05 mm wide makes their height negative. Neither
    // may exhaust memory or break the window.
    void theDiagramIsDrawnInsideItsFrameAsDesigned()
    {
        auto* diagram = w_->get<QFrame>("PicBox(0)");
        QCOMPARE(diagram->frameWidth(), 1);
        QWidget* ripple = w_->get("Label3(10)");
        QCOMPARE(ripple->x() + ripple->width(), 188); // "5%" fits
        const QImage shot = diagram->grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), 1.0);
        QImage bare(diagram->size(), QImage::Format_ARGB32); // the frame and background alone
        bare.fill(Qt::transparent);
        diagram->render(&bare, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        const QRect inside = diagram->contentsRect();
        QCOMPARE(countPixels(shot, [&](int x, int y, QRgb p) { return !inside.contains(x, y) && p != bare.pixel(x, y); }), 0);

        const QColor axis(0, 0, 192), u2(0, 192, 192), face = diagram->palette().color(QPalette::Window);
        const QPoint origin = w_->get("Label3(2)")->geometry().topLeft(); // an opaque grey label
        const std::pair<QPoint, QColor> expected[] = {
            {{11, 80}, face}, {{12, 80}, axis}, {{13, 80}, axis}, {{100, 135}, face}, {{100, 136}, axis},
            {{100, 137}, axis}, {{16, 100}, u2}, {{40, 16}, u2}, {{104, 36}, u2}, // over the ΔIo label
            {origin + QPoint(1, 1), QColor(192, 192, 192)}, {origin + QPoint(4, 1), axis}};
        for (const auto& [at, colour] : expected)
            QVERIFY2(QColor(shot.pixel(at)) == colour, qPrintable(QStringLiteral("at %1,%2").arg(at.x()).arg(at.y())));
        QVERIFY(isRed(shot.pixel(44, 48))); // the current's first rise, 3 px wide
    }
};

QTEST_MAIN(WindowDrawing)
#include "test_window_drawing.moc"
