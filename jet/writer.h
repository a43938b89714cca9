#pragma once

#include "jet/field_value.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lout {

// A minimal Jet 4 (Access 2000) writer: one user table with Text, Memo,
// Double, Single, Long and AutoNumber columns, nulls, no indexes, any number
// of rows (spread over as many data pages as needed), and deleted rows left
// in their slots the way Access leaves them.
//
// Memo text lives in the row while it is short, otherwise on long-value
// pages: in one long-value row, or, beyond one row's worth, in a chain of
// rows over several pages.
enum class JetType { Text, Memo, Double, Single, Long, AutoNumber };

struct JetColumn {
    std::string name;
    JetType type;
};

struct JetTable {
    std::string name;
    std::vector<JetColumn> columns;
    std::vector<std::vector<FieldValue>> rows; // one value per column; text is UTF-8
    // Rows that were deleted: written among the rows, flagged deleted, so
    // that no reader may return them.
    std::vector<std::vector<FieldValue>> deletedRows = {};
};

// The bytes of `table` as a Jet 4 database file, for callers that write the
// file themselves. Throws std::runtime_error as writeJet4Database does.
std::vector<std::uint8_t> jet4DatabaseBytes(const JetTable& table);

// Writes `table` as a new database at `file` (replacing it). Throws
// std::runtime_error when the table cannot be represented (a value of the
// wrong kind, a text too long for its column...) or the file cannot be written.
void writeJet4Database(const std::filesystem::path& file, const JetTable& table);

// The same table as an Access 97 (Jet 3) database whose text is stored in the
// Windows code page `codePage` (936 for Simplified Chinese, 1252 Western),
// the way older catalogues were made.
void writeJet3Database(const std::filesystem::path& file, const JetTable& table,
                       std::uint16_t codePage = 1252);

} // namespace lout
