#include "drawing/circle_packing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace lout {
namespace {

constexpr float kl = 54.347828f;
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

std::vector<Circle> packWindingCircles(const Winding& w)
{
    std::vector<Circle> circles;
    packWinding(w, [&](const Circle& c) { circles.push_back(c); });
    return circles;
}

Winding winding(float h, float scale, int turns, int strands, float diameter)
{
    return Winding{h, scale, static_cast<std::uint8_t>(turns), static_cast<std::uint8_t>(strands), diameter};
}

// Circles per column (per distinct centre x), in drawing order.
std::vector<int> columnsOf(const std::vector<Circle>& circles)
{
    std::vector<int> columns;
    for (std::size_t i = 0; i < circles.size(); ++i) {
        if (i == 0 || circles[i].cx != circles[i - 1].cx)
            columns.push_back(0);
        ++columns.back();
    }
    return columns;
}

// 17.8 mm holds ten turns of two 0.8 mm strands: centres 0.88 mm apart from
// 0.4 mm down, columns with left edges at 0.9 and 1.8 mm.
TEST(PackWinding, TwentyTurnsOfTwoStrandsFillTwoColumns)
{
    const auto circles = packWindingCircles(winding(17.8f, kl, 20, 2, 0.8f));
    ASSERT_EQ(columnsOf(circles), (std::vector<int>{20, 20}));
    for (std::size_t first : {0u, 20u}) {
        EXPECT_EQ(circles[first].cx, first == 0 ? 70.652176f : 119.56522f);
        EXPECT_EQ(circles[first].cy, 21.739132f);
        EXPECT_NEAR(circles[first + 1].cy - circles[first].cy, 47.826088f, 1e-4f);
        EXPECT_EQ(circles[first + 19].cy, 930.43481f);
    }
    for (const Circle& c : circles)
        EXPECT_EQ(c.r, 21.739132f);
}

// Turns beyond a column go to the next and are never split; nothing is
// packed where no whole turn fits or a number is not usable. The first
// column starts a gap and a diameter in, whatever was packed before. No
// circle overlaps another or leaves the window height.
TEST(PackWinding, ColumnsOfWholeTurnsOrNothing)
{
    const struct {
        Winding w;
        std::vector<int> columns;
        float firstX = 0; // 0: not checked
    } cases[] = {
        {winding(17.8f, kl, 25, 2, 0.8f), {20, 20, 10}, 70.652176f},
        // 17.8 / (3 x 0.88) = 6.7: six turns of three strands a column.
        {winding(17.8f, kl, 13, 3, 0.8f), {18, 18, 3}},
        // 1.7 mm holds no turn of one 1.6 mm strand (1.76 mm), 1.8 mm does.
        {winding(1.7f, kl, 5, 1, 1.6f), {}},
        {winding(1.8f, kl, 5, 1, 1.6f), {1, 1, 1, 1, 1}, 135.86957f},
        {winding(17.8f, kl, 1, 1, 0.8f), {1}, 70.652176f},
        {winding(17.8f, kl, 255, 255, 0.06f), std::vector<int>(255, 255)},
        {winding(40.0f, kl, 40, 7, 0.37f), {98, 98, 84}},
        {winding(17.8f, kl, 0, 2, 0.8f), {}}, {winding(17.8f, kl, 5, 0, 0.8f), {}},
        {winding(17.8f, kl, 5, 2, 0.0f), {}}, {winding(-2.2f, -340.9f, 5, 2, 0.8f), {}},
        {winding(17.8f, kl, 5, 2, -0.8f), {}}, {winding(inf, kl, 255, 255, 0.8f), {}},
        {winding(nan, kl, 255, 255, 0.8f), {}}, {winding(17.8f, kl, 255, 255, nan), {}},
        {winding(17.8f, kl, 255, 255, inf), {}}, {winding(17.8f, kl, 255, 255, -inf), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "H " << c.w.usableHeight << " Nx " << int(c.w.turns) << " Ns "
                                        << int(c.w.strands) << " Dx " << c.w.diameter);
        const auto circles = packWindingCircles(c.w);
        EXPECT_EQ(columnsOf(circles), c.columns);
        if (c.firstX != 0) {
            EXPECT_EQ(circles.at(0).cx, c.firstX);
        }
        for (std::size_t i = 0; i < circles.size(); ++i) {
            const Circle& at = circles[i];
            ASSERT_FALSE(at.cy - at.r < 0 || at.cy + at.r > c.w.usableHeight * kl) << i;
            const bool sameColumn = i > 0 && at.cx == circles[i - 1].cx;
            if (i > 0) {
                ASSERT_GT(sameColumn ? at.cy - circles[i - 1].cy : at.cx - circles[i - 1].cx, 2.0f * at.r) << i;
            }
        }
    }
    // A broken scale still packs every circle, just nowhere.
    EXPECT_EQ(packWindingCircles(winding(17.8f, nan, 255, 2, 0.06f)).size(), 510u);
    EXPECT_EQ(packWindingCircles(winding(17.8f, inf, 3, 2, 0.8f)).size(), 6u);
}

TEST(PackVisibleWinding, GivesExactlyTheFilteredCirclesOfTheFullPacking)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> pick(0, 19), count(0, 255);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::uniform_real_distribution<double> edge(-500.0, 1500.0);
    const auto someOf = [&](float typical) {
        switch (pick(random)) {
        case 0: return 0.0f;
        case 1: return -typical * unit(random);
        case 2: return nan;
        case 3: return inf;
        default: return typical * (0.01f + 2.0f * unit(random));
        }
    };
    for (int round = 0; round < 3000; ++round) {
        const Winding w = winding(someOf(18.0f), pick(random) < 2 ? -someOf(60.0f) : someOf(60.0f), count(random),
                                  pick(random) < 10 ? count(random) : count(random) % 8, someOf(0.5f));
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
    }
}

// The 375 twips wide picture of a 17.8 mm window: columns 0 to 6 reach into
// it; below 900 twips only the last two circles of a column (centres 882.6
// and 930.4, radius 21.7).
TEST(PackVisibleWinding, PictureRectangleKeepsTheCirclesThatReachIntoIt)
{
    std::vector<Circle> visible;
    const auto collect = [&](const Circle& c) { visible.push_back(c); };
    packVisibleWinding(winding(17.8f, kl, 255, 2, 0.8f), DrawingBounds{0.0, 0.0, 375.0, 967.39136}, collect);
    EXPECT_EQ(columnsOf(visible), std::vector<int>(7, 20));
    visible.clear();
    packVisibleWinding(winding(17.8f, kl, 10, 2, 0.8f), DrawingBounds{0.0, 900.0, 375.0, 967.39136}, collect);
    EXPECT_EQ(visible.size(), 2u);
}

TEST(PackVisibleWinding, CanTouchCountsTheRadiusByMagnitudeAndRejectsNonFinite)
{
    const DrawingBounds box{0.0, 0.0, 100.0, 50.0};
    const std::pair<Circle, bool> cases[] = {
        {{-9.0f, 25.0f, 10.0f}, true}, {{-9.0f, 25.0f, -10.0f}, true}, {{-11.0f, 25.0f, 10.0f}, false},
        {{50.0f, 60.0f, 10.0f}, true}, {{50.0f, 60.5f, 10.0f}, false}, {{nan, 25.0f, 10.0f}, false},
        {{50.0f, 25.0f, nan}, false}, {{inf, 25.0f, 10.0f}, false}};
    for (const auto& [circle, touches] : cases)
        EXPECT_EQ(canTouch(circle, box), touches) << circle.cx << ", " << circle.cy << ", " << circle.r;
}

} // namespace
} // namespace lout
