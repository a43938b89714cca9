#pragma once

// Byte layout of the pieces a Jet writer emits: table definitions, rows, data
// pages and usage maps, for Jet 3 (2 KiB pages) and Jet 4 (4 KiB pages).
#include "jet/bytes.h"
#include "jet/header.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lout::jet {

enum TypeCode : std::uint8_t {
    kInteger = 0x03,
    kLong = 0x04,
    kSingle = 0x06,
    kDouble = 0x07,
    kDateTime = 0x08,
    kBinary = 0x09,
    kText = 0x0A,
    kOle = 0x0B,
    kMemo = 0x0C,
};

struct ColumnDef {
    Bytes encodedName; // UCS-2 (Jet 4) or code-page bytes (Jet 3)
    std::uint8_t type = 0;
    std::uint16_t size = 0; // bytes; 0 for Memo and OLE
    bool fixed = false;
    std::uint16_t fixedOffset = 0; // fixed columns
    std::uint16_t varIndex = 0;    // variable columns
    std::uint16_t varBefore = 0;   // fixed columns: variable columns ahead of it
    std::uint16_t codePage = 0;    // Jet 3 text columns
    bool autoNumber = false;       // a Long that Access numbers itself
};

using Cell = std::optional<Bytes>; // nothing = NULL

struct TableDef {
    Bytes encodedName;
    bool system = false;
    std::vector<ColumnDef> columns; // in column-number order
    std::vector<std::vector<Cell>> rows;
    std::vector<bool> deleted;          // per row, when some rows are deleted ones
    std::uint32_t nextAutoNumber = 0;
};

// A row as it goes onto a page: its bytes and whether it is a deleted row
// (still in its slot, flagged, as Access leaves it).
struct StoredRow {
    Bytes bytes;
    bool deleted = false;
};

// The flags Access sets on the offset of a deleted row.
constexpr std::uint16_t kDeletedRowFlags = 0xC000;

// Gives each column its fixed offset or variable index, in column order.
void assignColumnPlaces(std::vector<ColumnDef>& columns);

// One row as stored on a data page; throws when it cannot be laid out.
Bytes encodeRow(Version v, const std::vector<ColumnDef>& columns, const std::vector<Cell>& cells);

// Packs encoded rows into data pages owned by the table whose definition is
// on page `tdefPage`.
std::vector<Bytes> packDataPages(Version v, std::uint32_t tdefPage, const std::vector<StoredRow>& rows);

// A data page holding the given rows (used for usage maps too).
Bytes dataPage(Version v, std::uint32_t owner, const std::vector<StoredRow>& rows);

// The owner field of a long-value page: the letters "LVAL".
constexpr std::uint32_t kLongValueOwner = 0x4C41564C;

// How many bytes of rows fit on one page beside the header and their offsets.
std::size_t rowSpaceOfPage(Version v, std::size_t rows);

// A type-0 usage map row marking `pages` (page numbers from 0).
Bytes usageMapRow(Version v, const std::vector<std::uint32_t>& pages, std::size_t pageCount);

// The table-definition page; throws when it does not fit on one page.
Bytes tdefPage(Version v, const TableDef& table, std::uint32_t ownedMap, std::uint32_t freeMap);

} // namespace lout::jet
