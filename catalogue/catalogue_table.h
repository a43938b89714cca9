#pragma once

// The CORE_DATA table of a catalogue file exactly as stored: every column
// and row in table order, nothing checked beyond the file being a readable
// Jet database that holds the table. The record set and the tools build on it.
#include "catalogue/field_value.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lout {

struct CatalogueTable {
    std::vector<std::string> columns;
    std::vector<std::vector<FieldValue>> rows;
};

// Throws CatalogueError: 3024 file not found, 3051 unreadable, 3343 not a
// (sound) Jet database, 3078 no table CORE_DATA.
CatalogueTable readCatalogueTable(const std::filesystem::path& file);

} // namespace lout
