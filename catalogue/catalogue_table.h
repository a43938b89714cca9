#pragma once

// One table of a Jet file exactly as stored: every column and row in table
// order, nothing checked beyond the file being a readable Jet database that
// holds the table. The catalogue reads CORE_DATA; the record set and the
// tools build on it.
#include "jet/field_value.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lout {

inline constexpr std::string_view kCoreTableName = "CORE_DATA";

struct CatalogueTable {
    std::vector<std::string> columns;
    std::vector<std::uint8_t> columnTypes; // Jet type codes, as stored
    std::vector<std::vector<FieldValue>> rows;
};

// Throws CatalogueError: 3024 file not found, 3051 unreadable, 3343 not a
// (sound) Jet database, 3078 no such table.
CatalogueTable readCatalogueTable(const std::filesystem::path& file, std::string_view tableName = kCoreTableName);

} // namespace lout
