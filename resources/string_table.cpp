#include "resources/string_table.h"

#include <array>
#include <utility>

namespace lout {

namespace {

// 101..104 and 201..204 pair up as the width and height of the winding window
// of the four core-family rows; 301 is the core list's tooltip.
constexpr std::array<std::pair<int, std::string_view>, 9> stringTable{{
    {101, "W=(B-C)/2"},
    {102, "W=(B-C)/2"},
    {103, "W=(B-C)/2"},
    {104, "W=B"},
    {201, "H=E"},
    {202, "H=2*E"},
    {203, "H=2*E"},
    {204, "H=2*E"},
    {301, "直接输入磁芯型号的头几个字母可以加快搜索定位"},
}};

} // namespace

std::string_view resourceString(int id)
{
    for (const auto& [key, text] : stringTable) {
        if (key == id)
            return text;
    }
    return {};
}

} // namespace lout
