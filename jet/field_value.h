#pragma once

#include <optional>
#include <string>
#include <variant>

namespace lout {

// One cell of the catalogue as the store holds it: null, a number or text
// (UTF-8).
using FieldValue = std::variant<std::monostate, double, std::string>;

inline bool isNull(const FieldValue& v) { return std::holds_alternative<std::monostate>(v); }

// The number a cell stands for when it takes part in arithmetic: a number
// as it is, text that is wholly a number ("12.5", " 3 ", "1e1"), otherwise
// nothing (null, empty or non-numeric text).
std::optional<double> numericValue(const FieldValue& v);

// Text of a cell for the model list; nothing for null.
std::optional<std::string> textValue(const FieldValue& v);

} // namespace lout
