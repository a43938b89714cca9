#pragma once

// Case-insensitive comparison of model names, the way the catalogue orders
// and finds them: letters of either case compare equal (Latin, Greek,
// Cyrillic, full-width Latin); everything else compares by code point.
#include <string>
#include <string_view>

namespace lout {

// The name with every letter in lower case, as code points.
std::u32string foldedName(std::string_view utf8);

// <0, 0 or >0 as a sorts before, with or after b, ignoring case.
int compareIgnoringCase(std::string_view a, std::string_view b);

} // namespace lout
