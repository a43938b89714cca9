#pragma once

// The catalogue as CSV: the header row names the columns; TYPE and
// Co_Family hold text, every other column numbers; an empty field is NULL
// and a quoted empty field ("") is empty text.
#include "catalogue/catalogue_table.h"
#include "jet/writer.h"

#include <string>
#include <string_view>

namespace lout {

// Throws csv::ParseError naming the line of a malformed record or value.
JetTable catalogueFromCsv(std::string_view text);

// Numbers in their shortest form that reads back as the same double.
std::string catalogueToCsv(const CatalogueTable& table);

} // namespace lout
