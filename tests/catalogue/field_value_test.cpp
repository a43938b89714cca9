// Numbers and texts of catalogue cells.
#include "jet/field_value.h"

#include <clocale>
#include <gtest/gtest.h>

namespace lout {
namespace {

TEST(NumericValue, TakesNumbersAndWhollyNumericText)
{
    EXPECT_EQ(numericValue(FieldValue{2.5}), 2.5);
    EXPECT_EQ(numericValue(FieldValue{std::string("12.5")}), 12.5);
    EXPECT_EQ(numericValue(FieldValue{std::string(" 3 ")}), 3.0);
    EXPECT_EQ(numericValue(FieldValue{std::string("1e1")}), 10.0);
    EXPECT_EQ(numericValue(FieldValue{std::string("-0.25")}), -0.25);
    EXPECT_EQ(numericValue(FieldValue{std::string(".5")}), 0.5);
    EXPECT_EQ(numericValue(FieldValue{std::string("\t7\r\n")}), 7.0);
}

TEST(NumericValue, RefusesNullEmptyAndPartlyNumericText)
{
    for (const char* text : {"", "   ", "abc", "12abc", "1,5", "1 2", "--1", "+-1", "inf", "nan", "1e400", "0x10", "."})
        EXPECT_FALSE(numericValue(FieldValue{std::string(text)})) << '"' << text << '"';
    EXPECT_FALSE(numericValue(FieldValue{}));
}

TEST(NumericValue, UsesAPointWhateverTheLocale)
{
    // A German locale writes 3,3; catalogue text is always read with a point.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(numericValue(FieldValue{std::string("3.3")}), 3.3);
    EXPECT_FALSE(numericValue(FieldValue{std::string("3,3")}));
    EXPECT_EQ(textValue(FieldValue{3.3}), "3.3");
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!german)
        GTEST_LOG_(INFO) << "de_DE.UTF-8 not installed; checked in the C locale only";
}

TEST(TextValue, ShowsTextAsItIsAndNumbersInTheirShortestForm)
{
    EXPECT_FALSE(textValue(FieldValue{}));
    EXPECT_EQ(textValue(FieldValue{std::string("")}), "");
    EXPECT_EQ(textValue(FieldValue{std::string("EE19(锰锌)")}), "EE19(锰锌)");
    EXPECT_EQ(textValue(FieldValue{33.0}), "33");
    EXPECT_EQ(textValue(FieldValue{0.1}), "0.1");
    EXPECT_EQ(textValue(FieldValue{9.2}), "9.2");
    EXPECT_EQ(textValue(FieldValue{1.0 / 7}), "0.14285714285714285");
}

} // namespace
} // namespace lout
