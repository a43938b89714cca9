#pragma once

// Structural checks of a Jet file made before any library trusts it: the
// page size and count, and on every page the counts, offsets and page
// numbers a reader follows.
#include "catalogue/jet_header.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lout::jet {

constexpr std::size_t kMaxDatabaseBytes = std::size_t{256} << 20;

struct PrecheckResult {
    std::optional<HeaderInfo> header; // set when the file passed
    std::string fault;                // what is wrong, in Simplified Chinese, otherwise
};

PrecheckResult precheckJetFile(std::span<const std::uint8_t> file);

// The definition of the table on page `tdefPage` of a file that passed
// precheckJetFile, including the usage maps its rows are found through;
// the fault when the library must not read it. Used once the catalogue has
// named the page.
std::optional<std::string> checkTableDefinition(std::span<const std::uint8_t> file, std::uint32_t tdefPage);

} // namespace lout::jet
