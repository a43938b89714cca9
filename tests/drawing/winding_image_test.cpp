#include "drawing/disc_raster.h"
#include "drawing/winding_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace lout {
namespace {

constexpr float kl = 54.347828f;
constexpr double pixelsPerTwip = 1.0 / 15.0;
const QColor red(255, 0, 0);
const QColor white(255, 255, 255);

Winding winding(float h, float scale, int turns, int strands, float diameter)
{
    return Winding{h, scale, static_cast<std::uint8_t>(turns), static_cast<std::uint8_t>(strands), diameter};
}

QImage blankImage(int width, int height, const QColor& fill = white)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// Red coverage of one pixel drawn in red on white: 0 (white) .. 255 (red).
int redness(const QImage& image, int x, int y) { return 255 - qGreen(image.pixel(x, y)); }

TEST(PaintDisc, CoversTheDiscAreaWithSoftEdgesOnly)
{
    QImage image = blankImage(41, 41);
    // Radius 9.5 px in twips; with the half-pixel outline the disc is 10 px.
    paintDisc(image, Circle{20.5f * 15.0f, 20.5f * 15.0f, 9.5f * 15.0f}, red, pixelsPerTwip);
    double ink = 0.0;
    for (int y = 0; y < 41; ++y) {
        for (int x = 0; x < 41; ++x) {
            const double distance = std::hypot(x + 0.5 - 20.5, y + 0.5 - 20.5);
            const int r = redness(image, x, y);
            ink += r / 255.0;
            if (distance <= 9.25) {
                ASSERT_EQ(image.pixel(x, y), red.rgba()) << x << "," << y;
            }
            if (distance >= 10.75) {
                ASSERT_EQ(image.pixel(x, y), white.rgba()) << x << "," << y;
            }
        }
    }
    EXPECT_NEAR(ink, std::numbers::pi * 100.0, std::numbers::pi * 100.0 * 0.01);
}

TEST(PaintDisc, SmallDiscsKeepTheirAreaAndNegativeRadiusIsTheSameCircle)
{
    QImage positive = blankImage(8, 8);
    paintDisc(positive, Circle{4.2f * 15.0f, 3.7f * 15.0f, 0.3f * 15.0f}, red, pixelsPerTwip);
    QImage negative = blankImage(8, 8);
    paintDisc(negative, Circle{4.2f * 15.0f, 3.7f * 15.0f, -0.3f * 15.0f}, red, pixelsPerTwip);
    EXPECT_EQ(positive, negative);
    double ink = 0.0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ink += redness(positive, x, y) / 255.0;
    EXPECT_NEAR(ink, std::numbers::pi * 0.8 * 0.8, 0.25);
}

TEST(PaintDisc, ClipsAtTheImageAndIgnoresNonFiniteCircles)
{
    QImage image = blankImage(20, 20);
    const QImage untouched = image;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const Circle& c : {Circle{-40.0f * 15.0f, 10.0f * 15.0f, 5.0f * 15.0f}, Circle{10.0f * 15.0f, 60.0f * 15.0f, 5.0f * 15.0f},
                            Circle{nan, 10.0f, 10.0f}, Circle{10.0f, inf, 10.0f}, Circle{10.0f, 10.0f, nan},
                            Circle{1e30f, 1e30f, 1e30f}, Circle{-1e30f, 10.0f, 1.0f}}) {
        paintDisc(image, c, red, pixelsPerTwip);
        ASSERT_EQ(image, untouched);
    }
    // Half a disc on the left edge: the inside half is painted.
    paintDisc(image, Circle{0.0f, 10.0f * 15.0f, 4.0f * 15.0f}, red, pixelsPerTwip);
    EXPECT_EQ(image.pixel(0, 10), red.rgba());
    EXPECT_EQ(image.pixel(2, 10), red.rgba());
    EXPECT_EQ(image.pixel(6, 10), white.rgba());
    // A huge disc covering everything fills every pixel without hanging.
    paintDisc(image, Circle{10.0f, 10.0f, 1e9f}, red, pixelsPerTwip);
    EXPECT_EQ(image, blankImage(20, 20, red));
}

TEST(PaintDisc, BlendsATranslucentColourOverWhatIsThere)
{
    QImage image = blankImage(10, 10);
    paintDisc(image, Circle{75.0f, 75.0f, 45.0f}, QColor(0, 0, 255, 128), pixelsPerTwip);
    const QColor centre = QColor::fromRgba(image.pixel(5, 5));
    EXPECT_NEAR(centre.red(), 127, 1);
    EXPECT_NEAR(centre.blue(), 255, 1);
    EXPECT_EQ(centre.alpha(), 255);
}

// The reference: every circle of the winding painted one by one.
QImage drawnNaively(QSize size, const Winding& w, double scale)
{
    QImage image = blankImage(size.width(), size.height());
    for (const Circle& c : packWindingCircles(w))
        paintDisc(image, c, red, scale);
    return image;
}

TEST(DrawWinding, GivesTheSamePixelsAsPaintingEveryCircle)
{
    std::mt19937 random(99);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_int_distribution<int> count(0, 255);
    std::uniform_int_distribution<int> side(1, 80);
    int paintedRounds = 0;
    for (int round = 0; round < 400; ++round) {
        const QSize size(side(random), side(random));
        const float h = 2.0f + 30.0f * unit(random);
        const int strands = round % 3 == 0 ? count(random) : count(random) % 12;
        const float diameter = round % 5 == 0 ? 0.002f + 0.1f * unit(random) : 0.05f + 2.5f * unit(random);
        const Winding w = winding(h, (round % 7 == 0 ? -1.0f : 1.0f) * (10.0f + 80.0f * unit(random)), count(random),
                                  strands, diameter);
        const double scale = round % 11 == 0 ? 2.0 / 15.0 : pixelsPerTwip;

        const QImage expected = drawnNaively(size, w, scale);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        drawWinding(image, white, w, red, scale);

        ASSERT_EQ(image, expected) << "round " << round;
        if (expected != blankImage(size.width(), size.height()))
            ++paintedRounds;
    }
    // The comparison must have been about real drawings.
    EXPECT_GT(paintedRounds, 150);
}

TEST(DrawWinding, RedOnlyWhereTheCirclesAre)
{
    // The 20-turn, 2-strand winding of 0.8 mm in a 25 × 65 px picture.
    const Winding w = winding(17.8f, kl, 20, 2, 0.8f);
    const auto circles = packWindingCircles(w);
    QImage image(25, 65, QImage::Format_ARGB32_Premultiplied);
    drawWinding(image, white, w, red, pixelsPerTwip);

    int redPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            double nearest = 1e9;
            for (const Circle& c : circles)
                nearest = std::min(nearest, std::hypot(x + 0.5 - c.cx * pixelsPerTwip, y + 0.5 - c.cy * pixelsPerTwip));
            const double radius = 21.739132 * pixelsPerTwip + 0.5;
            if (nearest <= radius - 0.75) {
                ASSERT_EQ(image.pixel(x, y), red.rgba()) << x << "," << y;
            }
            if (nearest >= radius + 0.75) {
                ASSERT_EQ(image.pixel(x, y), white.rgba()) << x << "," << y;
            }
            redPixels += image.pixel(x, y) == red.rgba();
        }
    }
    EXPECT_GT(redPixels, 40 * 5);
}

TEST(DrawWinding, ClearsToTheBackgroundAndAcceptsAnyImageFormat)
{
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QColor grey(200, 200, 200);
    // 1.7 mm holds no 1.6 mm strand: only the background remains.
    drawWinding(image, grey, winding(1.7f, kl, 5, 1, 1.6f), red, pixelsPerTwip);
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(image.size(), QSize(30, 40));
    EXPECT_EQ(image, blankImage(30, 40, grey));

    // The first column starts at 0.1 + 0.8 mm = 0.9 mm: x 48.9 .. 92.4 twips,
    // nothing of the 1.6 mm wire drawn before carries over.
    drawWinding(image, grey, winding(17.8f, kl, 1, 1, 0.8f), red, pixelsPerTwip);
    EXPECT_EQ(image.pixel(4, 2), red.rgba());
    EXPECT_EQ(image.pixel(1, 2), grey.rgba());
    EXPECT_EQ(image.pixel(7, 2), grey.rgba());
}

TEST(DrawWinding, UnusableScaleDrawsNothing)
{
    for (const double scale : {0.0, -1.0 / 15.0, std::numeric_limits<double>::quiet_NaN()}) {
        QImage image(25, 65, QImage::Format_ARGB32_Premultiplied);
        drawWinding(image, white, winding(17.8f, kl, 20, 2, 0.8f), red, scale);
        EXPECT_EQ(image, blankImage(25, 65));
    }
}

} // namespace
} // namespace lout
