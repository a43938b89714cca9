#pragma once

// A table as the database library hands it over, before its values are
// decoded: column names and types, and per cell either NULL, the stored
// bytes, or text the library already converted (long text, decimals).
#include <cstdint>
#include <string>
#include <vector>

namespace lout::jet {

struct RawColumn {
    std::string name; // UTF-8
    std::uint8_t type = 0;
};

struct RawCell {
    enum class Kind : std::uint8_t { Null = 'N', Stored = 'B', Text = 'T' };
    Kind kind = Kind::Null;
    std::string data;
    bool operator==(const RawCell&) const = default;
};

struct RawTable {
    std::vector<RawColumn> columns;
    std::vector<std::vector<RawCell>> rows;
};

// Why a read produced no table.
enum class ReadFailure : std::uint8_t {
    NotADatabase = 'D', // the library refused the file or its catalogue
    TableMissing = 'M', // no user table of that name
    Damaged = 'G',      // the table's definition or rows are inconsistent
};

} // namespace lout::jet
