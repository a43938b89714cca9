#pragma once

// The program's reader held against two independent readers of Jet files:
// mdbtools' mdb-export, which formats every value itself, and the npm
// package mdb-reader, which parses the whole file itself. Numbers compare
// as numbers, text exactly, NULL as NULL; columns of types the catalogue
// never reads are left out with the reason printed.
#include "catalogue/catalogue_table.h"
#include "catalogue_fixtures.h"

#include <filesystem>

namespace lout::testing {

// What the program's reader read equals what the writer wrote: numbers
// bit for bit (a Single as the float it was stored as), text exactly, NULL
// apart from empty text; deleted rows nowhere.
void expectReadAsWritten(const JetTable& written, const CatalogueTable& read);

// Every user table of `file` as the program reads it equals what mdb-export
// prints and what mdb-reader reads, and mdb-reader lists the same tables as
// mdbtools. Skips the test after the mdb-export comparison when Node.js or
// mdb-reader is missing.
void expectReadsAsIndependentReaders(const std::filesystem::path& file);

} // namespace lout::testing
