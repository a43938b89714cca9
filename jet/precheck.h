#pragma once

// Checks of a Jet file made before libmdb reads it. Each one follows the
// format as Access writes it and guards a place where the library trusts
// the file: the header, the definitions it reads (the system catalogue and
// the table asked for) with their usage maps, and the row offset tables of
// data and long-value pages. Everything else a file may hold (index pages,
// free pages, pages left over from deleted objects) is left alone; what no
// rule can catch is contained by the isolated read.
#include "jet/header.h"

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

// Checks a file whose pages are plain (see decipherPages).
PrecheckResult precheckJetFile(std::span<const std::uint8_t> file);

// The definition of the table on page `tdefPage` of a file that passed
// precheckJetFile, with the usage maps its rows are found through; the
// fault when the library must not read it. Used once the system catalogue
// has named the page.
std::optional<std::string> checkTableDefinition(std::span<const std::uint8_t> file, std::uint32_t tdefPage);

} // namespace lout::jet
