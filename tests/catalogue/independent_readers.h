#pragma once

// The program's reader held against two independent readers of Jet files:
// mdbtools' mdb-export, which formats every value itself, and the npm
// package mdb-reader, which parses the whole file itself. Numbers compare
// as numbers, text exactly, NULL as NULL; columns of types the catalogue
// never reads are left out with the reason printed.
#include "catalogue_fixtures.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lout::testing {

// The user tables of `file` as mdbtools lists them.
std::vector<std::string> tablesListedByMdbtools(const std::filesystem::path& file);

// Table `table` of `file` as the program reads it equals what mdb-export prints.
void expectReadsAsMdbExport(const std::filesystem::path& file, const std::string& table);

// Every user table of `file` as the program reads it equals what mdb-reader
// reads, and the two list the same tables as mdbtools. Skips the test when
// Node.js or mdb-reader is missing.
void expectReadsAsMdbReader(const std::filesystem::path& file);

} // namespace lout::testing
