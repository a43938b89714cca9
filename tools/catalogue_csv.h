#pragma once

// The catalogue as CSV: the first line names the columns lout reads,
// TYPE,Co_Family,A,B,C,D,E,F,Co_Ae; TYPE and Co_Family hold text, the
// others numbers; an empty field is NULL and a quoted empty field ("") is
// empty text.
#include "catalogue/catalogue_table.h"
#include "jet/writer.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lout {

inline constexpr std::array<std::string_view, 9> kCatalogueColumns = {"TYPE", "Co_Family", "A", "B", "C",
                                                                      "D",    "E",         "F", "Co_Ae"};

// The table to write and, for each of its rows, the line of the file on
// which that row starts.
struct CsvCatalogue {
    JetTable table;
    std::vector<std::size_t> rowLines;
};

// Throws csv::ParseError naming the line of a malformed record or value,
// or a first line other than the column names.
CsvCatalogue catalogueFromCsv(std::string_view text);

// Any table, its columns as stored; numbers in their shortest form that
// reads back as the same double.
std::string catalogueToCsv(const CatalogueTable& table);

} // namespace lout
