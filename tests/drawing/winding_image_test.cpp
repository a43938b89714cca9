#include "drawing/disc_raster.h"
#include "drawing/winding_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <random>

namespace lout {
namespace {

constexpr float kl = 54.347828f;
constexpr double pixelsPerTwip = 1.0 / 15.0;
const QColor red(255, 0, 0);
const QColor white(255, 255, 255);

QImage blankImage(int width, int height, const QColor& fill = white)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// A disc of `radius` pixels centred at (x, y) pixels, in twips.
Circle pixelDisc(float x, float y, float radius) { return Circle{x * 15.0f, y * 15.0f, radius * 15.0f}; }

// The pixels covered by red on white (a half-covered pixel counts a half).
double redArea(const QImage& image)
{
    double area = 0.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            area += (255 - qGreen(image.pixel(x, y))) / 255.0;
    return area;
}

// The one-pixel outline on the circumference adds half a pixel to the
// radius; only a one-pixel ring around that edge is partly covered.
TEST(PaintDisc, CoversTheDiscAreaWithSoftEdgesOnly)
{
    QImage image = blankImage(41, 41);
    paintDisc(image, pixelDisc(20.5f, 20.5f, 9.5f), red, pixelsPerTwip);
    for (int y = 0; y < 41; ++y) {
        for (int x = 0; x < 41; ++x) {
            const double distance = std::hypot(x + 0.5 - 20.5, y + 0.5 - 20.5);
            if (distance <= 9.25 || distance >= 10.75) {
                ASSERT_EQ(image.pixel(x, y), (distance <= 9.25 ? red : white).rgba()) << x << "," << y;
            }
        }
    }
    EXPECT_NEAR(redArea(image), std::numbers::pi * 100.0, std::numbers::pi);

    // A small disc keeps its area; a negative radius is the same circle.
    QImage positive = blankImage(8, 8), negative = blankImage(8, 8);
    paintDisc(positive, pixelDisc(4.2f, 3.7f, 0.3f), red, pixelsPerTwip);
    paintDisc(negative, pixelDisc(4.2f, 3.7f, -0.3f), red, pixelsPerTwip);
    EXPECT_EQ(positive, negative);
    EXPECT_NEAR(redArea(positive), std::numbers::pi * 0.8 * 0.8, 0.25);

    // A translucent colour is blended over what is there.
    QImage blended = blankImage(10, 10);
    paintDisc(blended, pixelDisc(5, 5, 3), QColor(0, 0, 255, 128), pixelsPerTwip);
    const QColor centre = QColor::fromRgba(blended.pixel(5, 5));
    EXPECT_TRUE(std::abs(centre.red() - 127) <= 1 && centre.blue() >= 254 && centre.alpha() == 255)
        << centre.name().toStdString();
}

TEST(PaintDisc, ClipsAtTheImageAndIgnoresNonFiniteCircles)
{
    QImage image = blankImage(20, 20);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const Circle& c : {pixelDisc(-40, 10, 5), pixelDisc(10, 60, 5), Circle{nan, 10, 10}, Circle{10, inf, 10},
                            Circle{10, 10, nan}, Circle{1e30f, 1e30f, 1e30f}, Circle{-1e30f, 10, 1}}) {
        paintDisc(image, c, red, pixelsPerTwip);
        ASSERT_EQ(image, blankImage(20, 20));
    }
    // Half a disc on the left edge: the inside half is painted.
    paintDisc(image, pixelDisc(0, 10, 4), red, pixelsPerTwip);
    EXPECT_EQ(image.pixel(0, 10), red.rgba());
    EXPECT_EQ(image.pixel(2, 10), red.rgba());
    EXPECT_EQ(image.pixel(6, 10), white.rgba());
    // A huge disc fills every pixel without hanging.
    paintDisc(image, Circle{10, 10, 1e9f}, red, pixelsPerTwip);
    EXPECT_EQ(image, blankImage(20, 20, red));
}

// Skipping the circles that cannot touch the picture changes no pixel.
TEST(DrawWinding, GivesTheSamePixelsAsPaintingEveryCircle)
{
    std::mt19937 random(99);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_int_distribution<int> count(0, 255), side(1, 80);
    int paintedRounds = 0;
    for (int round = 0; round < 400; ++round) {
        const QSize size(side(random), side(random));
        const float h = 2.0f + 30.0f * unit(random);
        const int strands = round % 3 == 0 ? count(random) : count(random) % 12;
        const float diameter = round % 5 == 0 ? 0.002f + 0.1f * unit(random) : 0.05f + 2.5f * unit(random);
        const float scale = (round % 7 == 0 ? -1.0f : 1.0f) * (10.0f + 80.0f * unit(random));
        const Winding w{h, scale, static_cast<std::uint8_t>(count(random)), static_cast<std::uint8_t>(strands),
                        diameter};
        const double pixels = round % 11 == 0 ? 2.0 / 15.0 : pixelsPerTwip;

        QImage expected = blankImage(size.width(), size.height());
        packWinding(w, [&](const Circle& c) { paintDisc(expected, c, red, pixels); });
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        drawWinding(image, white, w, red, pixels);
        ASSERT_EQ(image, expected) << "round " << round;
        paintedRounds += expected != blankImage(size.width(), size.height());
    }
    EXPECT_GT(paintedRounds, 150) << "the comparison must be about real drawings";
}

TEST(DrawWinding, ClearsToTheBackgroundOfAnyImageAndNeedsAScale)
{
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QColor grey(200, 200, 200);
    // 1.7 mm holds no 1.6 mm strand: only the background remains.
    drawWinding(image, grey, Winding{1.7f, kl, 5, 1, 1.6f}, red, pixelsPerTwip);
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(image, blankImage(30, 40, grey));
    // The first column starts at 0.1 + 0.8 mm: x 48.9 to 92.4 twips, nothing
    // of the 1.6 mm wire before carries over.
    drawWinding(image, grey, Winding{17.8f, kl, 1, 1, 0.8f}, red, pixelsPerTwip);
    EXPECT_EQ(image.pixel(4, 2), red.rgba());
    EXPECT_EQ(image.pixel(1, 2), grey.rgba());
    EXPECT_EQ(image.pixel(7, 2), grey.rgba());
    for (const double scale : {0.0, -1.0 / 15.0, std::numeric_limits<double>::quiet_NaN()}) {
        drawWinding(image, white, Winding{17.8f, kl, 20, 2, 0.8f}, red, scale);
        EXPECT_EQ(image, blankImage(30, 40));
    }
}

} // namespace
} // namespace lout
