#pragma once

// Turns the cells a database read delivered into catalogue values: numbers
// from their stored bytes (bit-exact, whatever the locale), text from UCS-2
// or the file's code page, and NULL kept apart from empty text.
#include "jet/field_value.h"
#include "jet/header.h"
#include "catalogue/raw_table.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace lout::jet {

struct DecodedTable {
    std::vector<std::string> columns;
    std::vector<std::uint8_t> columnTypes;
    std::vector<std::vector<FieldValue>> rows;
};

// Throws std::runtime_error (with an English detail) when a value's stored
// size does not fit its type or a name is not valid text.
DecodedTable decodeTable(const RawTable& raw, Version version, const std::string& jet3Charset);

// The charset Jet 3 text is read in: the MDB_JET3_CHARSET override when it
// names a usable charset, else the file's own code page.
std::string jet3CharsetFor(std::uint16_t headerCodePage);

} // namespace lout::jet
