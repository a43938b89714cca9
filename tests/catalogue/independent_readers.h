#pragma once

// The program's reader held against two independent readers of Jet files:
// mdbtools' mdb-export, which formats every value itself, and the npm
// package mdb-reader, which parses the whole file itself. Numbers compare
// as numbers, text exactly, NULL as NULL; columns of types the catalogue
// never reads are left out with the reason printed.
#include "catalogue/catalogue_table.h"
#include "catalogue_fixtures.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lout::testing {

// A value as the npm package mdb-reader reads it (tests/node/read_table.mjs),
// or as mdb-export prints it.
struct ReaderCell {
    bool null = false;
    std::string text;  // text, decimals, currency
    double number = 0; // numbers; 1 or 0 for yes/no; milliseconds since 1970 (UTC) for dates
};
struct ReaderTable {
    std::string name;
    std::size_t rowCount = 0; // as the table definition states it
    std::vector<std::string> columns;
    std::vector<std::vector<ReaderCell>> rows;
};
// Whether Node.js and mdb-reader are installed; the reason when not.
std::string mdbReaderMissing();
// Every user table of `file` (or only `table`), read with mdb-reader.
std::vector<ReaderTable> readWithMdbReader(const std::filesystem::path& file, const std::string& table = {});

// What the program's reader read equals what the writer wrote: numbers
// bit for bit (a Single as the float it was stored as), text exactly, NULL
// apart from empty text; deleted rows nowhere.
void expectReadAsWritten(const JetTable& written, const CatalogueTable& read);

// The user tables of `file` as mdbtools lists them.
std::vector<std::string> tablesListedByMdbtools(const std::filesystem::path& file);

// Table `table` of `file` as the program reads it equals what mdb-export prints.
void expectReadsAsMdbExport(const std::filesystem::path& file, const std::string& table);

// Every user table of `file` as the program reads it equals what mdb-reader
// reads, and the two list the same tables as mdbtools. Skips the test when
// Node.js or mdb-reader is missing.
void expectReadsAsMdbReader(const std::filesystem::path& file);

} // namespace lout::testing
