#include "jet/field_value.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace lout {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Text that is wholly a decimal number, '.' as the decimal point whatever
// the locale; an optional sign and exponent are allowed.
std::optional<double> parseNumber(std::string_view text)
{
    std::string_view s = trimmed(text);
    if (s.empty())
        return std::nullopt;
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Only digits or a point may start the number: no "inf", "nan" or a
    // second sign.
    if (s.empty() || !(s.front() == '.' || (s.front() >= '0' && s.front() <= '9')))
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

std::optional<double> numericValue(const FieldValue& v)
{
    if (const double* number = std::get_if<double>(&v))
        return *number;
    if (const std::string* text = std::get_if<std::string>(&v))
        return parseNumber(*text);
    return std::nullopt;
}

std::optional<std::string> textValue(const FieldValue& v)
{
    if (const std::string* text = std::get_if<std::string>(&v))
        return *text;
    if (const double* number = std::get_if<double>(&v)) {
        // Shortest form that reads back as the same double.
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, *number);
        return std::string(buffer, result.ptr);
    }
    return std::nullopt;
}

} // namespace lout
