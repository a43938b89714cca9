// The window on a real desktop: an X display that a window manager manages
// (tests/with_window_manager.sh), where the window gets a frame whose size
// only the window manager knows, and only once it has framed the window.
#include "window_fixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

using namespace lout::testing;

class WindowOnADesktop : public FreshWindowSuite {
    Q_OBJECT

private slots:
    // 3400 twips high outside, measured with the frame the window manager
    // gave it, and never less inside than the controls need (2895 twips).
    void isThreeThousandFourHundredTwipsHighOutside()
    {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
                 "runs on an X display with a window manager: tests/with_window_manager.sh");
        Lout& window = *w_->window;
        QVERIFY2(QTest::qWaitFor([&] { return window.frameGeometry().height() > window.height(); }, 10000),
                 "no window manager framed the window");
        const int frame = window.frameGeometry().height() - window.height();
        qInfo("the window manager's frame is %d pixels high", frame);
        QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().height(), 227, 10000);
        QCOMPARE(window.height(), std::max(227 - frame, 193));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.width(), 517);
        // The frame at the screen's corner, once the window manager has
        // answered the last move.
        QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().topLeft(), window.screen()->geometry().topLeft(), 10000);
        QTest::qWait(300); // it stays so once the window manager has had its say
        QCOMPARE(window.frameGeometry().height(), 227);
        QCOMPARE(window.frameGeometry().topLeft(), window.screen()->geometry().topLeft());
    }

    // A resize sent before the window manager's move was known takes the
    // client area to the corner and pushes the frame off screen: the frame
    // is put back, and stays once the user may move the window.
    void aFramePushedOffTheScreenIsPutBackAtTheCorner()
    {
        Lout& window = *w_->window;
        const QPoint corner = window.screen()->geometry().topLeft();
        QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().topLeft(), corner, 10000);
        window.windowHandle()->setPosition(corner);
        QTRY_COMPARE(window.geometry().topLeft(), corner);
        QCOMPARE(placeFrameAtScreenCorner(window), CornerPlacement::Moved);
        QTRY_COMPARE(window.frameGeometry().topLeft(), corner);
        QCOMPARE(placeFrameAtScreenCorner(window), CornerPlacement::AtCorner);
        // Moved by the user later, it stays where it was put.
        window.move(corner + QPoint(40, 30));
        QTRY_COMPARE(window.frameGeometry().topLeft(), corner + QPoint(40, 30));
        QTest::qWait(300);
        QCOMPARE(window.frameGeometry().topLeft(), corner + QPoint(40, 30));
    }
};

QTEST_MAIN(WindowOnADesktop)
#include "test_window_desktop.moc"
