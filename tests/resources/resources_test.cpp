// The program's coil icon in every size it ships. (String 301, the model
// list's tooltip, is checked where the window shows it.)
#include "resources/coil_icon.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>


namespace {

TEST(CoilIcon, IsARedCoilOfSeveralTurnsOnATransparentBackgroundInEverySize)
{
    const QIcon icon = lout::coilIcon();
    for (const int side : {16, 32, 48}) {
        SCOPED_TRACE(side);
        const QImage image = icon.pixmap(QSize(side, side)).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(side, side));
        int red = 0, shadow = 0, other = 0, clear = 0, partial = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const QColor p = image.pixelColor(x, y);
                clear += p.alpha() == 0;
                partial += p.alpha() > 0 && p.alpha() < 255;
                if (p.alpha() < 128)
                    continue;
                const bool isRed = p.red() >= 100 && p.red() > 2 * p.green() && p.red() > 2 * p.blue();
                (isRed ? red : other) += 1;
                shadow += isRed && p.red() < 170; // the back halves of the turns
            }
        }
        EXPECT_EQ(other, 0) << "everything drawn is red";
        EXPECT_GT(red, side * side / 8);
        EXPECT_GT(clear, side * side / 3);
        EXPECT_GT(shadow, 0);
        EXPECT_GT(red - shadow, shadow) << "the front halves dominate";
        if (side == 16) {
            EXPECT_EQ(partial, 0) << "the small image is drawn pixel by pixel";
        }
        // Across the turns, below the leads, the wire is met several times.
        int runs = 0;
        for (int x = 0, y = side * 2 / 3; x < side; ++x)
            runs += image.pixelColor(x, y).alpha() >= 128 && (x == 0 || image.pixelColor(x - 1, y).alpha() < 128);
        EXPECT_GE(runs, 4);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
