#include "drawing/core_window.h"

#include "jet/field_value.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <string>

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

CoreDimensions standardRow(std::string type) { return row(std::move(type), 40.0, 28.0, 12.0, 10.0); }

TEST(FamilyCode, TakesTheFirstTwoCharactersNotBytes)
{
    EXPECT_EQ(familyCode("EE42/21/15"), "EE");
    EXPECT_EQ(familyCode("ETD29"), "ET");
    EXPECT_EQ(familyCode("E"), "E");
    EXPECT_EQ(familyCode(""), "");
    EXPECT_EQ(familyCode("磁芯型号"), "磁芯");
    EXPECT_EQ(familyCode("E磁芯"), "E磁");
    EXPECT_EQ(familyCode("é€x"), "é€");
}

TEST(CoreWindowLayout, EeCoreGivesTheDocumentedScalesAndHeights)
{
    const CoreWindowLayout layout = layoutCoreWindow(standardRow("EE40"), yokeWidth, pictureWidth);
    ASSERT_TRUE(layout.readyToDraw());
    EXPECT_EQ(*layout.outlineScale, 60.375f);
    EXPECT_EQ(*layout.legHeight, 603.75f);
    EXPECT_EQ(*layout.usableWidth, 6.90f);
    EXPECT_EQ(*layout.usableHeight, 17.80f);
    EXPECT_EQ(*layout.windowScale, 54.347828f);
    EXPECT_EQ(*layout.pictureHeight, 967.39136f);
}

TEST(CoreWindowLayout, NumericTextDimensionsCountAsNumbers)
{
    const CoreWindowLayout layout
        = layoutCoreWindow(row(std::string("EE40"), std::string("40"), std::string(" 28 "), std::string("12"),
                               std::string("1e1")),
                           yokeWidth, pictureWidth);
    ASSERT_TRUE(layout.readyToDraw());
    EXPECT_EQ(*layout.usableWidth, 6.90f);
    EXPECT_EQ(*layout.pictureHeight, 967.39136f);
}

struct FamilyCase {
    const char* model;
    float usableWidth;
    float usableHeight;
};

class FamilyFormulas : public ::testing::TestWithParam<FamilyCase> {};

TEST_P(FamilyFormulas, ChooseWindowWidthAndHeight)
{
    const FamilyCase& c = GetParam();
    const CoreWindowLayout layout = layoutCoreWindow(standardRow(c.model), yokeWidth, pictureWidth);
    ASSERT_TRUE(layout.readyToDraw()) << c.model;
    EXPECT_EQ(*layout.usableWidth, c.usableWidth) << c.model;
    EXPECT_EQ(*layout.usableHeight, c.usableHeight) << c.model;
    EXPECT_EQ(*layout.legHeight, 603.75f) << c.model;
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, FamilyFormulas,
    ::testing::Values(FamilyCase{"EI40", 6.90f, 7.80f}, FamilyCase{"E", 6.90f, 17.80f},
FamilyCase{"EE40", 6.90f, 17.80f},
                      FamilyCase{"EC35", 6.90f, 17.80f}, FamilyCase{"ETD29", 6.90f, 17.80f},
                      FamilyCase{"PQ32/30", 6.90f, 17.80f}, FamilyCase{"RM10", 6.90f, 17.80f},
                      FamilyCase{"EP13", 6.90f, 17.80f}, FamilyCase{"UU28", 26.90f, 17.80f},
                      FamilyCase{"UF30", 26.90f, 17.80f}),
    // Test names from the model, letters and digits only ("PQ32/30" -> "PQ3230").
    [](const ::testing::TestParamInfo<FamilyCase>& param) {
        std::string name;
        for (const char ch : std::string(param.param.model))
            if (std::isalnum(static_cast<unsigned char>(ch)))
                name += ch;
        return name;
    });

TEST(CoreWindowLayout, UnknownOrLowerCaseFamilyGivesNegativeScaleAndDoubleHeightPictures)
{
    for (const char* model : {"ei40", "E40", "Ee40", "eE", "TT10", "磁芯", "", "P"}) {
        const CoreWindowLayout layout = layoutCoreWindow(standardRow(model), yokeWidth, pictureWidth);
        ASSERT_TRUE(layout.readyToDraw()) << model;
        EXPECT_EQ(*layout.legHeight, 603.75f) << model;
        EXPECT_EQ(*layout.usableWidth, -1.10f) << model;
        EXPECT_EQ(*layout.usableHeight, -2.20f) << model;
        EXPECT_LT(*layout.windowScale, 0.0f) << model;
        EXPECT_FLOAT_EQ(*layout.pictureHeight, 2.0f * pictureWidth) << model;
    }
}

TEST(CoreWindowLayout, UnknownFamilyDoesNotNeedTheWindowDimensions)
{
    const CoreWindowLayout layout = layoutCoreWindow(row(std::string("XX"), 40.0, FieldValue{}, std::string("x"), 10.0),
                                                     yokeWidth, pictureWidth);
    EXPECT_TRUE(layout.readyToDraw());
}

TEST(CoreWindowLayout, BadInputEndsThePassAtTheStepThatUsesIt)
{
    const FieldValue null{};
    const FieldValue empty = std::string();
    const FieldValue word = std::string("abc");
    const FieldValue infinite = std::numeric_limits<double>::infinity();

    // Model name missing: nothing is done.
    EXPECT_FALSE(layoutCoreWindow(row(null, 40.0, 28.0, 12.0, 10.0), yokeWidth, pictureWidth).outlineScale);

    // B, C or E unusable for a known family: ends at the window formulas.
    for (const FieldValue& bad : {null, empty, word, infinite}) {
        EXPECT_FALSE(layoutCoreWindow(row(std::string("EE"), 40.0, bad, 12.0, 10.0), yokeWidth, pictureWidth).outlineScale);
        EXPECT_FALSE(layoutCoreWindow(row(std::string("EE"), 40.0, 28.0, bad, 10.0), yokeWidth, pictureWidth).outlineScale);
        EXPECT_FALSE(layoutCoreWindow(row(std::string("EE"), 40.0, 28.0, 12.0, bad), yokeWidth, pictureWidth).outlineScale);
        EXPECT_FALSE(layoutCoreWindow(row(std::string("UU"), 40.0, bad, 12.0, 10.0), yokeWidth, pictureWidth).outlineScale);
    }
    // UU does not read C.
    EXPECT_TRUE(layoutCoreWindow(row(std::string("UU"), 40.0, 28.0, null, 10.0), yokeWidth, pictureWidth).readyToDraw());

    // A zero or unusable: nothing is resized.
    for (const FieldValue& bad : {FieldValue{0.0}, FieldValue{std::string("0")}, null, empty, word}) {
        const CoreWindowLayout layout = layoutCoreWindow(row(std::string("EE"), bad, 28.0, 12.0, 10.0), yokeWidth, pictureWidth);
        EXPECT_FALSE(layout.outlineScale);
        EXPECT_FALSE(layout.legHeight);
    }

    // Unknown family with E unusable: the outline scale is set, the legs are not.
    const CoreWindowLayout noLegs = layoutCoreWindow(row(std::string("XX"), 40.0, 28.0, 12.0, null), yokeWidth, pictureWidth);
    EXPECT_TRUE(noLegs.outlineScale);
    EXPECT_FALSE(noLegs.legHeight);
    EXPECT_FALSE(noLegs.readyToDraw());
}

TEST(CoreWindowLayout, UsableWidthOfZeroHundredthsStopsBeforeThePictures)
{
    // W = 1.104 mm rounds to a usable width of 0.00.
    const CoreWindowLayout zero = layoutCoreWindow(row(std::string("EE"), 40.0, 14.208, 12.0, 10.0), yokeWidth, pictureWidth);
    EXPECT_EQ(*zero.legHeight, 603.75f);
    EXPECT_EQ(*zero.usableWidth, 0.0f);
    EXPECT_EQ(*zero.usableHeight, 17.80f);
    EXPECT_FALSE(zero.windowScale);
    EXPECT_FALSE(zero.pictureHeight);
    EXPECT_FALSE(zero.readyToDraw());

    // W = 1.096 mm rounds to -0.00: the same.
    EXPECT_FALSE(layoutCoreWindow(row(std::string("EE"), 40.0, 14.192, 12.0, 10.0), yokeWidth, pictureWidth).windowScale);

    // W = 1.106 mm rounds to 0.01: the scale is taken from the rounded width.
    const CoreWindowLayout tiny = layoutCoreWindow(row(std::string("EE"), 40.0, 14.212, 12.0, 10.0), yokeWidth, pictureWidth);
    ASSERT_TRUE(tiny.readyToDraw());
    EXPECT_EQ(*tiny.usableWidth, 0.01f);
    EXPECT_EQ(*tiny.windowScale, 37500.0f);
}

TEST(CoreWindowLayout, UsableSizesAreRoundedToHundredthsBeforeScaling)
{
    // W = 4.9975 mm: usable 3.8975 shows as 3.90 and the scale uses 3.90.
    const CoreWindowLayout layout = layoutCoreWindow(row(std::string("EE"), 40.0, 21.995, 12.0, 7.3333), yokeWidth, pictureWidth);
    ASSERT_TRUE(layout.readyToDraw());
    EXPECT_EQ(*layout.usableWidth, 3.90f);
    EXPECT_EQ(*layout.usableHeight, 12.47f);
    EXPECT_EQ(*layout.windowScale, static_cast<float>(375.0 / 3.9));
    EXPECT_EQ(*layout.pictureHeight, static_cast<float>(12.47 * static_cast<double>(static_cast<float>(375.0 / 3.9))));
}

TEST(WindingCount, FloorsToAByteOrNothing)
{
    EXPECT_EQ(windingCount(0.0f), 0);
    EXPECT_EQ(windingCount(-0.0f), 0);
    EXPECT_EQ(windingCount(23.7f), 23);
    EXPECT_EQ(windingCount(255.99f), 255);
    EXPECT_FALSE(windingCount(256.0f));
    EXPECT_FALSE(windingCount(-0.25f));
    EXPECT_FALSE(windingCount(1e30f));
    EXPECT_FALSE(windingCount(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(windingCount(std::numeric_limits<float>::infinity()));
    EXPECT_FALSE(windingCount(-std::numeric_limits<float>::infinity()));
}

} // namespace
} // namespace lout
