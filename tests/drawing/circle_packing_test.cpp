#include "drawing/circle_packing.h"

#include <gtest/gtest.h>

#include <limits>
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
// 0.4 mm down, columns with left edges at 0.9, 1.8 and 2.7 mm. Turns beyond
// a column go to the next.
TEST(PackWinding, TwentyFiveTurnsOfTwoStrandsFillTwoColumnsAndHalfOfAThird)
{
    const auto circles = packWindingCircles(Winding{17.8f, kl, 25, 2, 0.8f});
    ASSERT_EQ(columnsOf(circles), (std::vector<int>{20, 20, 10}));
    for (std::size_t first : {0u, 20u}) {
        EXPECT_EQ(circles[first].cx, first == 0 ? 70.652176f : 119.56522f);
        EXPECT_EQ(circles[first].cy, 21.739132f);
        EXPECT_NEAR(circles[first + 1].cy - circles[first].cy, 47.826088f, 1e-4f);
        EXPECT_EQ(circles[first + 19].cy, 930.43481f);
    }
    for (const Circle& c : circles)
        EXPECT_EQ(c.r, 21.739132f);
}

// Turns are never split between columns; nothing is packed where no whole
// turn fits or a number is not usable. The first column starts a gap and a
// diameter in. No circle overlaps another or leaves the window height.
TEST(PackWinding, ColumnsOfWholeTurnsOrNothing)
{
    const struct {
        Winding w;
        std::vector<int> columns;
        float firstX = 0; // 0: not checked
    } cases[] = {
        // 17.8 / (3 x 0.88) = 6.7: six turns of three strands a column.
        {{17.8f, kl, 13, 3, 0.8f}, {18, 18, 3}},
        // 1.7 mm holds no turn of one 1.6 mm strand (1.76 mm), 1.8 mm does.
        {{1.7f, kl, 5, 1, 1.6f}, {}},
        {{1.8f, kl, 5, 1, 1.6f}, {1, 1, 1, 1, 1}, 135.86957f},
        {{17.8f, kl, 255, 255, 0.06f}, std::vector<int>(255, 255)},
        {{40.0f, kl, 40, 7, 0.37f}, {98, 98, 84}},
        {{17.8f, kl, 0, 2, 0.8f}, {}}, {{17.8f, kl, 5, 0, 0.8f}, {}},
        {{17.8f, kl, 5, 2, 0.0f}, {}}, {{-2.2f, -340.9f, 5, 2, 0.8f}, {}},
        {{inf, kl, 255, 255, 0.8f}, {}}, {{nan, kl, 255, 255, 0.8f}, {}},
        {{17.8f, kl, 255, 255, nan}, {}}, {{17.8f, kl, 255, 255, inf}, {}},
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
            const Circle& before = circles[i > 0 ? i - 1 : 0];
            ASSERT_FALSE(at.cy - at.r < 0 || at.cy + at.r > c.w.usableHeight * kl) << i;
            ASSERT_TRUE(i == 0 || (at.cx == before.cx ? at.cy - before.cy : at.cx - before.cx) > 2.0f * at.r) << i;
        }
    }
    // A broken scale still packs every circle, just nowhere.
    EXPECT_EQ(packWindingCircles(Winding{17.8f, nan, 255, 2, 0.06f}).size(), 510u);
    EXPECT_EQ(packWindingCircles(Winding{17.8f, inf, 3, 2, 0.8f}).size(), 6u);
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
