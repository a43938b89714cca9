#pragma once

// A catalogue read from CSV, looked at as lout's start-up will look at it:
// what would stop the program, and what it would show but looks wrong.
// Each finding names the CSV line of its row.
#include "design/text/entered_design.h"
#include "tools/catalogue_csv.h"

#include <cstddef>
#include <string>
#include <vector>

namespace lout {

struct CatalogueFindings {
    std::vector<std::string> faults;   // lout could not start with it
    std::vector<std::string> oddities; // lout starts, but a row looks wrong
};

CatalogueFindings examineCatalogue(const CsvCatalogue& catalogue);

} // namespace lout
