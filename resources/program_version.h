#pragma once

#include "resources/version.h"

#include <string_view>

namespace lout {

// The version the program shows ("1.00"); the file version is 1.0.0.0.
// Whoever creates the application sets it as the application version.
constexpr std::string_view programVersion()
{
    return LOUT_VERSION_TEXT;
}

} // namespace lout
