// Numbers and texts of catalogue cells.
#include "jet/field_value.h"

#include <gtest/gtest.h>

namespace lout {
namespace {

TEST(NumericValue, TakesNumbersAndWhollyNumericTextOnly)
{
    const std::pair<const char*, double> numbers[] = {{"12.5", 12.5}, {" 3 ", 3.0},   {"1e1", 10.0},
                                                      {"-0.25", -0.25}, {".5", 0.5}, {"\t7\r\n", 7.0}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(numericValue(FieldValue{std::string(text)}), value) << '"' << text << '"';
    EXPECT_EQ(numericValue(FieldValue{2.5}), 2.5);
    for (const char* text : {"", "   ", "abc", "12abc", "1,5", "1 2", "--1", "+-1", "inf", "nan", "1e400", "0x10", "."})
        EXPECT_FALSE(numericValue(FieldValue{std::string(text)})) << '"' << text << '"';
    EXPECT_FALSE(numericValue(FieldValue{}));
}

TEST(TextValue, ShowsTextAsItIsAndNumbersInTheirShortestForm)
{
    EXPECT_FALSE(textValue(FieldValue{}));
    EXPECT_EQ(textValue(FieldValue{std::string("")}), "");
    EXPECT_EQ(textValue(FieldValue{std::string("EE19(锰锌)")}), "EE19(锰锌)");
    EXPECT_EQ(textValue(FieldValue{33.0}), "33");
    EXPECT_EQ(textValue(FieldValue{9.2}), "9.2");
    EXPECT_EQ(textValue(FieldValue{1.0 / 7}), "0.14285714285714285");
}

} // namespace
} // namespace lout
