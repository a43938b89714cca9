#include "drawing/circle_packing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <random>

namespace lout {
namespace {

constexpr float kl = 54.347828f;
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

Winding winding(float h, float scale, int turns, int strands, float diameter)
{
    return Winding{h, scale, static_cast<std::uint8_t>(turns), static_cast<std::uint8_t>(strands), diameter};
}

// Circles per distinct centre x, in drawing order.
std::vector<std::pair<float, int>> columnsOf(const std::vector<Circle>& circles)
{
    std::vector<std::pair<float, int>> columns;
    for (const Circle& c : circles) {
        if (columns.empty() || columns.back().first != c.cx)
            columns.emplace_back(c.cx, 0);
        ++columns.back().second;
    }
    return columns;
}

bool sameBits(const Circle& a, const Circle& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(PackWinding, TwentyTurnsOfTwoStrandsFillTwoColumns)
{
    const auto circles = packWindingCircles(winding(17.8f, kl, 20, 2, 0.8f));
    ASSERT_EQ(circles.size(), 40u);

    const auto columns = columnsOf(circles);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0], std::make_pair(70.652176f, 20));
    EXPECT_EQ(columns[1], std::make_pair(119.56522f, 20));
    // Left edges 0.9 and 1.8 mm.
    EXPECT_NEAR(columns[0].first / kl - 0.4, 0.9, 1e-6);
    EXPECT_NEAR(columns[1].first / kl - 0.4, 1.8, 1e-6);

    for (int column = 0; column < 2; ++column) {
        const Circle* first = &circles[static_cast<std::size_t>(column) * 20];
        EXPECT_EQ(first[0].cy, 21.739132f);
        EXPECT_EQ(first[19].cy, 930.43481f);
        for (int k = 1; k < 20; ++k)
            EXPECT_NEAR(first[k].cy - first[k - 1].cy, 47.826088f, 1e-4f) << k;
    }
    for (const Circle& c : circles)
        EXPECT_EQ(c.r, 21.739132f);
}

TEST(PackWinding, TurnsBeyondOneColumnGoToTheNextAndAreNeverSplit)
{
    const auto columns = columnsOf(packWindingCircles(winding(17.8f, kl, 25, 2, 0.8f)));
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].second, 20);
    EXPECT_EQ(columns[1].second, 20);
    EXPECT_EQ(columns[2].second, 10);
    // Columns are one diameter plus 0.1 mm apart.
    EXPECT_NEAR((columns[2].first - columns[1].first) / kl, 0.9, 1e-5);

    // Three strands: 17.8 / (3 × 0.88) = 6.7 turns, so 6 turns (18 circles) a column.
    const auto threeStrands = columnsOf(packWindingCircles(winding(17.8f, kl, 13, 3, 0.8f)));
    ASSERT_EQ(threeStrands.size(), 3u);
    EXPECT_EQ(threeStrands[0].second, 18);
    EXPECT_EQ(threeStrands[1].second, 18);
    EXPECT_EQ(threeStrands[2].second, 3);
}

// The first column starts one gap and one diameter in, whatever was packed
// before: a winding is the same whichever picture it goes into, and in
// whatever order.
TEST(PackWinding, TheFirstColumnStartsAGapAndADiameterIn)
{
    for (const float diameter : {0.8f, 0.5f, 4.17f, 0.8f}) {
        const auto circles = packWindingCircles(winding(17.8f, kl, 1, 1, diameter));
        ASSERT_EQ(circles.size(), 1u) << diameter;
        const double dx = static_cast<double>(diameter);
        EXPECT_EQ(circles[0].cx, static_cast<float>((0.1 + dx + dx / 2) * static_cast<double>(kl))) << diameter;
    }
    EXPECT_EQ(packWindingCircles(winding(17.8f, kl, 1, 1, 0.8f))[0].cx, 70.652176f); // left edge 0.9 mm
}

TEST(PackWinding, NothingFitsNothingIsPacked)
{
    EXPECT_TRUE(packWindingCircles(winding(17.8f, kl, 0, 2, 0.8f)).empty());
    // 1.7 mm holds no turn of one 1.6 mm strand (1.76 mm).
    EXPECT_TRUE(packWindingCircles(winding(1.7f, kl, 5, 1, 1.6f)).empty());
    EXPECT_EQ(packWindingCircles(winding(1.8f, kl, 5, 1, 1.6f)).size(), 5u);

    EXPECT_TRUE(packWindingCircles(winding(17.8f, kl, 5, 0, 0.8f)).empty());
    EXPECT_TRUE(packWindingCircles(winding(17.8f, kl, 5, 2, 0.0f)).empty());
    EXPECT_TRUE(packWindingCircles(winding(-2.2f, -340.9f, 5, 2, 0.8f)).empty());
    EXPECT_TRUE(packWindingCircles(winding(17.8f, kl, 5, 2, -0.8f)).empty());
}

TEST(PackWinding, NonFiniteNumbersEndWithoutHanging)
{
    EXPECT_TRUE(packWindingCircles(winding(inf, kl, 255, 255, 0.8f)).empty());
    EXPECT_TRUE(packWindingCircles(winding(nan, kl, 255, 255, 0.8f)).empty());
    // No usable diameter: nothing is drawn.
    EXPECT_TRUE(packWindingCircles(winding(17.8f, kl, 255, 255, nan)).empty());
    EXPECT_TRUE(packWindingCircles(winding(17.8f, kl, 255, 255, inf)).empty());
    EXPECT_TRUE(packWindingCircles(winding(17.8f, kl, 255, 255, -inf)).empty());
    // A broken scale still packs the right number of circles, just nowhere.
    EXPECT_EQ(packWindingCircles(winding(17.8f, nan, 255, 2, 0.06f)).size(), 510u);
    EXPECT_EQ(packWindingCircles(winding(17.8f, inf, 3, 2, 0.8f)).size(), 6u);
}

TEST(PackWinding, LargestWindingPacksEveryCircleInsideTheHeight)
{
    const auto circles = packWindingCircles(winding(17.8f, kl, 255, 255, 0.06f));
    ASSERT_EQ(circles.size(), 65025u);
    const auto columns = columnsOf(circles);
    EXPECT_EQ(columns.size(), 255u);
    for (const Circle& c : circles) {
        ASSERT_GE(c.cy - c.r, 0.0f);
        ASSERT_LE(c.cy + c.r, 17.8f * kl);
    }
}

TEST(PackWinding, CirclesNeverOverlapOrLeaveTheWindowHeight)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> height(0.5f, 40.0f);
    std::uniform_real_distribution<float> diameter(0.05f, 3.0f);
    std::uniform_int_distribution<int> count(0, 40);
    for (int round = 0; round < 200; ++round) {
        const Winding w = winding(height(random), kl, count(random), count(random), diameter(random));
        const auto circles = packWindingCircles(w);
        for (std::size_t i = 0; i < circles.size(); ++i) {
            ASSERT_LE(circles[i].cy + circles[i].r, w.usableHeight * kl * 1.0001f);
            if (i == 0)
                continue;
            if (circles[i].cx == circles[i - 1].cx) {
                ASSERT_GT(circles[i].cy - circles[i - 1].cy, 2.0f * circles[i].r);
            } else {
                ASSERT_GT(circles[i].cx - circles[i - 1].cx, 2.0f * circles[i].r);
            }
        }
        ASSERT_EQ(circles.size() % (w.strands == 0 ? 1 : w.strands), 0u);
        if (!circles.empty()) {
            ASSERT_EQ(circles.size(), static_cast<std::size_t>(w.turns) * w.strands);
        }
    }
}

Winding randomWinding(std::mt19937& random)
{
    std::uniform_int_distribution<int> pick(0, 19);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const auto someOf = [&](float typical) -> float {
        switch (pick(random)) {
        case 0: return 0.0f;
        case 1: return -typical * unit(random);
        case 2: return nan;
        case 3: return inf;
        default: return typical * (0.01f + 2.0f * unit(random));
        }
    };
    std::uniform_int_distribution<int> count(0, 255);
    return winding(someOf(18.0f), pick(random) < 2 ? -someOf(60.0f) : someOf(60.0f), count(random),
                   pick(random) < 10 ? count(random) : count(random) % 8, someOf(0.5f));
}

TEST(PackVisibleWinding, GivesExactlyTheFilteredCirclesOfTheFullPacking)
{
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> edge(-500.0, 1500.0);
    for (int round = 0; round < 3000; ++round) {
        const Winding w = randomWinding(random);
        double left = edge(random), right = edge(random), top = edge(random), bottom = edge(random);
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
        const DrawingBounds bounds{left, top, right, bottom};

        std::vector<Circle> expected;
        packWinding(w, [&](const Circle& c) {
            if (canTouch(c, bounds))
                expected.push_back(c);
        });
        std::vector<Circle> visible;
        packVisibleWinding(w, bounds, [&](const Circle& c) { visible.push_back(c); });

        ASSERT_EQ(visible.size(), expected.size())
            << "H " << w.usableHeight << " Kl " << w.twipsPerMm << " Nx " << int(w.turns) << " Ns " << int(w.strands)
            << " Dx " << w.diameter;
        for (std::size_t i = 0; i < visible.size(); ++i)
            ASSERT_TRUE(sameBits(visible[i], expected[i])) << i;
    }
}

TEST(PackVisibleWinding, PictureRectangleKeepsTheColumnsThatReachIntoIt)
{
    // 375 × 967 twips picture; columns 0.9 mm apart, centres at
    // 70.65 + 48.91 k twips, radius 21.74: columns k = 0..6 reach x <= 375.
    std::vector<Circle> visible;
    packVisibleWinding(winding(17.8f, kl, 255, 2, 0.8f), DrawingBounds{0.0, 0.0, 375.0, 967.39136},
                       [&](const Circle& c) { visible.push_back(c); });
    const auto columns = columnsOf(visible);
    ASSERT_EQ(columns.size(), 7u);
    for (const auto& [x, n] : columns)
        EXPECT_EQ(n, 20);
    EXPECT_EQ(columns.front().first, 70.652176f);

    // A picture showing only the lower part of the window.
    visible.clear();
    packVisibleWinding(winding(17.8f, kl, 10, 2, 0.8f),
                       DrawingBounds{0.0, 900.0, 375.0, 967.39136}, [&](const Circle& c) { visible.push_back(c); });
    // Only the last two circles (centres 882.6 and 930.4, radius 21.7) reach y >= 900.
    ASSERT_EQ(visible.size(), 2u);
    EXPECT_EQ(visible[1].cy, 930.43481f);
}

TEST(CanTouch, CountsTheRadiusByMagnitudeAndRejectsNonFinite)
{
    const DrawingBounds box{0.0, 0.0, 100.0, 50.0};
    EXPECT_TRUE(canTouch(Circle{-9.0f, 25.0f, 10.0f}, box));
    EXPECT_TRUE(canTouch(Circle{-9.0f, 25.0f, -10.0f}, box));
    EXPECT_FALSE(canTouch(Circle{-11.0f, 25.0f, 10.0f}, box));
    EXPECT_TRUE(canTouch(Circle{50.0f, 60.0f, 10.0f}, box));
    EXPECT_FALSE(canTouch(Circle{50.0f, 60.5f, 10.0f}, box));
    EXPECT_FALSE(canTouch(Circle{nan, 25.0f, 10.0f}, box));
    EXPECT_FALSE(canTouch(Circle{50.0f, 25.0f, nan}, box));
    EXPECT_FALSE(canTouch(Circle{inf, 25.0f, 10.0f}, box));
}

} // namespace
} // namespace lout
