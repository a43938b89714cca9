#include "drawing/core_window.h"

#include "jet/field_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace lout {
namespace {

constexpr float yokeWidth = 2415.0f;
constexpr float pictureWidth = 375.0f;

// A catalogue row as the window hands it over: the name's text and the
// number each dimension cell stands for.
CoreDimensions row(const FieldValue& type, const FieldValue& a, const FieldValue& b, const FieldValue& c,
                   const FieldValue& e)
{
    CoreDimensions core{textValue(type), {}};
    const FieldValue cells[] = {a, b, c, 9.0, e, 6.0};
    for (std::size_t i = 0; i < core.millimetres.size(); ++i)
        core.millimetres[i] = numericValue(cells[i]);
    return core;
}

CoreWindowLayout layout(const CoreDimensions& core) { return layoutCoreWindow(core, yokeWidth, pictureWidth); }

TEST(CoreWindow, FamilyCodeIsTheFirstTwoCharactersNotBytes)
{
    const std::pair<const char*, const char*> codes[] = {{"EE42/21/15", "EE"}, {"ETD29", "ET"}, {"E", "E"},
                                                         {"", ""}, {"磁芯型号", "磁芯"}, {"E磁芯", "E磁"},
                                                         {"é€x", "é€"}};
    for (const auto& [model, code] : codes)
        EXPECT_EQ(familyCode(model), code) << model;
}

// A = 40, B = 28, C = 12, E = 10 mm: the yoke stands for A at 60.375
// twips/mm, the legs are 603.75 twips; the family gives the window, the
// usable window fills the 375 twips wide picture at 54.347828 twips/mm for
// an E core. An unknown code (the comparison is case-sensitive) keeps
// W = H = 0: a negative scale and pictures twice as high as wide.
TEST(CoreWindow, FamilyFormulasAndTheScales)
{
    const struct {
        const char* model;
        float usableWidth, usableHeight, pictureHeight;
    } families[] = {
        {"EE40", 6.90f, 17.80f, 967.39136f}, {"EI40", 6.90f, 7.80f, 423.91304f}, {"E", 6.90f, 17.80f, 967.39136f},
        {"EC35", 6.90f, 17.80f, 967.39136f}, {"ETD29", 6.90f, 17.80f, 967.39136f},
        {"PQ32/30", 6.90f, 17.80f, 967.39136f}, {"RM10", 6.90f, 17.80f, 967.39136f},
        {"EP13", 6.90f, 17.80f, 967.39136f}, {"UU28", 26.90f, 17.80f, 248.14126f},
        {"UF30", 26.90f, 17.80f, 248.14126f}, {"ei40", -1.10f, -2.20f, 750}, {"E40", -1.10f, -2.20f, 750},
        {"Ee40", -1.10f, -2.20f, 750}, {"eE", -1.10f, -2.20f, 750}, {"TT10", -1.10f, -2.20f, 750},
        {"磁芯", -1.10f, -2.20f, 750}, {"", -1.10f, -2.20f, 750}, {"P", -1.10f, -2.20f, 750},
    };
    for (const auto& f : families) {
        SCOPED_TRACE(f.model);
        // Dimensions held as text count as the numbers they read.
        const CoreWindowLayout l = layout(row(std::string(f.model), std::string("40"), std::string(" 28 "),
                                              std::string("12"), std::string("1e1")));
        ASSERT_TRUE(l.readyToDraw());
        EXPECT_EQ(*l.outlineScale, 60.375f);
        EXPECT_EQ(*l.legHeight, 603.75f);
        EXPECT_EQ(*l.usableWidth, f.usableWidth);
        EXPECT_EQ(*l.usableHeight, f.usableHeight);
        EXPECT_FLOAT_EQ(*l.pictureHeight, f.pictureHeight);
    }
    const CoreWindowLayout ee = layout(row(std::string("EE40"), 40.0, 28.0, 12.0, 10.0));
    EXPECT_EQ(*ee.windowScale, 54.347828f);
    EXPECT_EQ(*ee.pictureHeight, 967.39136f);
}

// How many steps of the pass were done: scale, legs, usable width and
// height, window scale, picture height.
int stepsDone(const CoreWindowLayout& l)
{
    const bool done[] = {l.outlineScale.has_value(), l.legHeight.has_value(), l.usableWidth.has_value(),
                         l.usableHeight.has_value(), l.windowScale.has_value(), l.pictureHeight.has_value()};
    return static_cast<int>(std::find(std::begin(done), std::end(done), false) - std::begin(done));
}

TEST(CoreWindow, APassEndsAtTheStepThatCannotBeDone)
{
    const FieldValue null{}, empty = std::string(), word = std::string("abc");
    const FieldValue infinite = std::numeric_limits<double>::infinity();
    EXPECT_EQ(stepsDone(layout(row(null, 40.0, 28.0, 12.0, 10.0))), 0);
    // B, C or E unusable for a known family ends at the window formulas.
    for (const FieldValue& bad : {null, empty, word, infinite}) {
        EXPECT_EQ(stepsDone(layout(row(std::string("EE"), 40.0, bad, 12.0, 10.0))), 0);
        EXPECT_EQ(stepsDone(layout(row(std::string("EE"), 40.0, 28.0, bad, 10.0))), 0);
        EXPECT_EQ(stepsDone(layout(row(std::string("EE"), 40.0, 28.0, 12.0, bad))), 0);
        EXPECT_EQ(stepsDone(layout(row(std::string("UU"), 40.0, bad, 12.0, 10.0))), 0);
    }
    // A zero or unusable A: nothing is resized.
    for (const FieldValue& bad : {FieldValue{0.0}, FieldValue{std::string("0")}, null, empty, word})
        EXPECT_EQ(stepsDone(layout(row(std::string("EE"), bad, 28.0, 12.0, 10.0))), 0);
    // A U core reads no C, an unknown family no B or C, but the legs need E.
    EXPECT_EQ(stepsDone(layout(row(std::string("UU"), 40.0, 28.0, null, 10.0))), 6);
    EXPECT_EQ(stepsDone(layout(row(std::string("XX"), 40.0, null, std::string("x"), 10.0))), 6);
    EXPECT_EQ(stepsDone(layout(row(std::string("XX"), 40.0, 28.0, 12.0, null))), 1);

    // W = 1.104 mm and 1.096 mm round to a usable width of 0.00 (and -0.00):
    // no window scale, nothing to draw. W = 1.106 mm gives 0.01.
    const CoreWindowLayout zero = layout(row(std::string("EE"), 40.0, 14.208, 12.0, 10.0));
    EXPECT_EQ(stepsDone(zero), 4);
    EXPECT_EQ(*zero.usableWidth, 0.0f);
    EXPECT_EQ(*zero.usableHeight, 17.80f);
    EXPECT_EQ(stepsDone(layout(row(std::string("EE"), 40.0, 14.192, 12.0, 10.0))), 4);
    EXPECT_EQ(*layout(row(std::string("EE"), 40.0, 14.212, 12.0, 10.0)).windowScale, 37500.0f);

    // W = 4.9975 mm: usable 3.8975 reads 3.90 and the scales use 3.90.
    const CoreWindowLayout rounded = layout(row(std::string("EE"), 40.0, 21.995, 12.0, 7.3333));
    EXPECT_EQ(*rounded.usableWidth, 3.90f);
    EXPECT_EQ(*rounded.usableHeight, 12.47f);
    EXPECT_FLOAT_EQ(*rounded.windowScale, 96.153846f);
    EXPECT_FLOAT_EQ(*rounded.pictureHeight, 1199.0385f);
}

// Turns and strands are drawn as bytes: floored, 0 to 255, else nothing.
TEST(CoreWindow, WindingCountFloorsToAByteOrNothing)
{
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, std::optional<std::uint8_t>> counts[] = {
        {0.0f, 0}, {-0.0f, 0}, {23.7f, 23}, {255.99f, 255}, {256.0f, std::nullopt}, {-0.25f, std::nullopt},
        {1e30f, std::nullopt}, {std::numeric_limits<float>::quiet_NaN(), std::nullopt}, {inf, std::nullopt},
        {-inf, std::nullopt}};
    for (const auto& [value, count] : counts)
        EXPECT_EQ(windingCount(value), count) << value;
}

} // namespace
} // namespace lout
