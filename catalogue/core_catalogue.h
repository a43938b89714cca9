#pragma once

#include "catalogue/catalogue_errors.h"
#include "jet/field_value.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lout {

// One core model as the catalogue holds it: its name and the cells of its
// dimensions and effective area as they were read. A cell that is null or
// text is kept as such: it fails the drawing or the area where they use it.
struct CatalogueCore {
    std::string name;
    std::array<FieldValue, 6> dimensions; // A, B, C, D, E, F, mm
    FieldValue area;                      // effective cross-section, cm²
};

// Every model of CORE_DATA, read once, in the catalogue's order: by name
// ascending as Jet compares text (letter case aside), models of one name in
// their table order.
struct CoreCatalogue {
    std::string file;
    std::vector<CatalogueCore> cores;
};

// Reads `file`. Throws CatalogueError for a missing or unreadable file, a
// file that is not a Jet database, a missing table or column (TYPE, Co_Ae),
// fewer than eight columns, a null name, a null or non-numeric area, no
// model at all (when at least one is asked for) or fewer than
// `minimumModels`.
CoreCatalogue readCoreCatalogue(const std::filesystem::path& file, std::size_t minimumModels = 7);

// The first core named `name` as the catalogue compares names (letter case
// aside), as a name typed into the model list finds it.
std::optional<std::size_t> coreNamed(const CoreCatalogue& catalogue, std::string_view name);

// The area as the design takes it, in single precision: error 94 for a null
// cell, 13 for text that is not a number.
float coreAreaOf(const CatalogueCore& core, const std::string& file);

// The dimensions as numbers, empty where a cell holds none.
std::array<std::optional<double>, 6> dimensionsOf(const CatalogueCore& core);

} // namespace lout
