#pragma once

#include <string_view>

namespace lout {

// The program's string table (UTF-8), looked up by number: 101..104 and
// 201..204 the winding-window formulas, 301 the core list's tooltip.
// Empty for an unknown number.
std::string_view resourceString(int id);

} // namespace lout
