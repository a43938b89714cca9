#include "catalogue/core_catalogue.h"

#include "catalogue/catalogue_errors.h"
#include "catalogue/catalogue_table.h"
#include "catalogue/text_fold.h"
#include "jet/text.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace lout {

namespace errors = catalogue_errors;

namespace {

constexpr const char* kNameColumn = "TYPE";
constexpr const char* kAreaColumn = "Co_Ae";
constexpr std::size_t kRequiredColumns = 8;
// The dimensions A to F stand in the six columns after the one beside TYPE.
constexpr std::size_t kFirstDimensionColumn = 2;

std::optional<std::size_t> columnIndex(const std::vector<std::string>& columns, std::string_view name)
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (jet::sameNameIgnoringAsciiCase(columns[i], name))
            return i;
    return std::nullopt;
}

std::string modelNameOf(const FieldValue& v) { return textValue(v).value_or(std::string()); }

float coreAreaFor(const FieldValue& v, const std::string& file, const std::string& model)
{
    if (isNull(v))
        throw errors::nullCoreArea(file, model);
    const auto number = numericValue(v);
    if (!number)
        throw errors::coreAreaNotNumber(file, model, textValue(v).value_or(std::string()));
    const auto single = static_cast<float>(*number);
    if (std::isinf(single) && std::isfinite(*number))
        throw errors::coreAreaOverflow(file, model);
    return single;
}

} // namespace

CoreCatalogue readCoreCatalogue(const std::filesystem::path& file, std::size_t minimumModels)
{
    const std::string name = file.string();
    CatalogueTable table = readCatalogueTable(file);

    const auto typeColumn = columnIndex(table.columns, kNameColumn);
    if (!typeColumn)
        throw errors::columnMissing(name, kNameColumn);
    const auto areaColumn = columnIndex(table.columns, kAreaColumn);
    if (!areaColumn)
        throw errors::columnMissing(name, kAreaColumn);
    if (table.columns.size() < kRequiredColumns)
        throw errors::tooFewColumns(name, table.columns.size());
    // The list shows the first column and the drawing takes the model's
    // family from it: it must be TYPE.
    if (*typeColumn != 0)
        throw errors::typeNotFirst(name);

    if (table.rows.empty() && minimumModels > 0)
        throw errors::emptyTable(name);
    for (std::size_t r = 0; r < table.rows.size(); ++r)
        if (isNull(table.rows[r][0]))
            throw errors::nullType(name, r + 1);

    // Ascending by name ignoring case; equal names keep their table order.
    std::vector<std::u32string> keys;
    keys.reserve(table.rows.size());
    for (const auto& row : table.rows)
        keys.push_back(foldedName(modelNameOf(row[0])));
    std::vector<std::size_t> order(table.rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

    CoreCatalogue catalogue{name, {}};
    catalogue.cores.reserve(order.size());
    for (const std::size_t index : order) {
        // Copied, not moved: the area's column may be one of the dimensions'.
        const std::vector<FieldValue>& row = table.rows[index];
        CatalogueCore core{modelNameOf(row[0]), {}, row[*areaColumn]};
        for (std::size_t d = 0; d < core.dimensions.size(); ++d)
            core.dimensions[d] = row[kFirstDimensionColumn + d];
        catalogue.cores.push_back(std::move(core));
    }

    if (catalogue.cores.size() < minimumModels)
        throw errors::tooFewModels(name, catalogue.cores.size(), minimumModels);
    for (const CatalogueCore& core : catalogue.cores)
        coreAreaFor(core.area, name, core.name);
    return catalogue;
}

std::optional<std::size_t> coreNamed(const CoreCatalogue& catalogue, std::string_view name)
{
    const std::u32string wanted = foldedName(name);
    for (std::size_t i = 0; i < catalogue.cores.size(); ++i)
        if (foldedName(catalogue.cores[i].name) == wanted)
            return i;
    return std::nullopt;
}

float coreAreaOf(const CatalogueCore& core, const std::string& file)
{
    return coreAreaFor(core.area, file, {});
}

std::array<std::optional<double>, 6> dimensionsOf(const CatalogueCore& core)
{
    std::array<std::optional<double>, 6> millimetres;
    for (std::size_t d = 0; d < millimetres.size(); ++d)
        millimetres[d] = numericValue(core.dimensions[d]);
    return millimetres;
}

} // namespace lout
