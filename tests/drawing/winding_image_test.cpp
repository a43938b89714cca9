#include "drawing/disc_raster.h"
#include "drawing/winding_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

namespace lout {
namespace {

constexpr float kl = 54.347828f;
constexpr double pixelsPerTwip = 1.0 / 15.0;
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();
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

// Skipping the circles that cannot touch a rectangle keeps exactly the
// circles of the full packing that can touch it, and changes no pixel of
// the picture: odd numbers too, thick wires several pixels across and
// thin ones, mirrored scales, anywhere on the plane.
TEST(DrawWinding, SkipsOnlyTheCirclesThatCannotTouchThePicture)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> pick(0, 19), count(0, 255), side(1, 80);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_real_distribution<double> edge(-500.0, 1500.0);
    const auto someOf = [&](float typical) { // now and then 0, negative, NaN or infinite
        const float odd[] = {0.0f, -typical * unit(random), nan, inf};
        const int which = pick(random);
        return which < 4 ? odd[which] : typical * (0.01f + 2.0f * unit(random));
    };
    int paintedRounds = 0;
    for (int round = 0; round < 3000; ++round) {
        const Winding w{someOf(18.0f), pick(random) < 2 ? -someOf(60.0f) : someOf(60.0f),
                        static_cast<std::uint8_t>(count(random)),
                        static_cast<std::uint8_t>(pick(random) < 10 ? count(random) : count(random) % 8),
                        someOf(round % 5 == 0 ? 0.05f : 0.8f)};
        const auto [left, right] = std::minmax({edge(random), edge(random)});
        const auto [top, bottom] = std::minmax({edge(random), edge(random)});
        const DrawingBounds bounds{left, top, right, bottom};
        std::vector<Circle> expected, visible;
        packWinding(w, [&](const Circle& c) {
            if (canTouch(c, bounds))
                expected.push_back(c);
        });
        packVisibleWinding(w, bounds, [&](const Circle& c) { visible.push_back(c); });
        ASSERT_EQ(visible.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < visible.size(); ++i)
            ASSERT_EQ(std::memcmp(&visible[i], &expected[i], sizeof(Circle)), 0) << "round " << round << ", " << i;

        const QSize size(side(random), side(random));
        const double pixels = round % 11 == 0 ? 2.0 / 15.0 : pixelsPerTwip;
        QImage painted = blankImage(size.width(), size.height());
        packWinding(w, [&](const Circle& c) { paintDisc(painted, c, red, pixels); });
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        drawWinding(image, white, w, red, pixels);
        ASSERT_EQ(image, painted) << "round " << round;
        paintedRounds += painted != blankImage(size.width(), size.height());
    }
    EXPECT_GT(paintedRounds, 600) << "the comparison must be about real drawings";
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
