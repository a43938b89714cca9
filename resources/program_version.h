#pragma once

#include "resources/version.h"

#include <string_view>

namespace lout {

// The version the programs show ("1.00"). Whoever creates the application
// sets it as the application version.
constexpr std::string_view programVersion()
{
    return LOUT_VERSION_TEXT;
}

} // namespace lout
