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

CoreRecordSet CoreRecordSet::open(const std::filesystem::path& file, std::size_t minimumRows)
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
    // The list shows field 0 and the search compares TYPE: they must agree.
    if (*typeColumn != 0)
        throw errors::typeNotFirst(name);

    if (table.rows.empty() && minimumRows > 0)
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

    CoreRecordSet set;
    set.file_ = name;
    set.columns_ = std::move(table.columns);
    set.rows_.reserve(order.size());
    for (const std::size_t index : order)
        set.rows_.push_back(std::move(table.rows[index]));
    set.current_ = set.rows_.size();

    if (set.rows_.size() < minimumRows)
        throw errors::tooFewModels(name, set.rows_.size(), minimumRows);
    for (const auto& row : set.rows_)
        coreAreaFor(row[*areaColumn], name, modelNameOf(row[0]));
    return set;
}

void CoreRecordSet::moveFirst()
{
    if (rows_.empty())
        throw errors::noCurrentRecord(file_);
    current_ = 0;
}

void CoreRecordSet::moveNext()
{
    if (eof())
        throw errors::noCurrentRecord(file_);
    ++current_;
}

bool CoreRecordSet::findFirst(std::string_view name)
{
    const std::u32string wanted = foldedName(name);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (foldedName(modelNameOf(rows_[i][0])) == wanted) {
            current_ = i;
            return true;
        }
    }
    return false;
}

const FieldValue& CoreRecordSet::field(std::size_t ordinal) const
{
    if (eof())
        throw errors::noCurrentRecord(file_);
    if (ordinal >= columns_.size())
        throw errors::unknownField(file_, "第 " + std::to_string(ordinal) + " 号");
    return rows_[current_][ordinal];
}

const FieldValue& CoreRecordSet::field(std::string_view name) const
{
    if (eof())
        throw errors::noCurrentRecord(file_);
    const auto index = columnIndex(columns_, name);
    if (!index)
        throw errors::unknownField(file_, std::string(name));
    return rows_[current_][*index];
}

float coreAreaOf(const FieldValue& v, const std::string& file)
{
    return coreAreaFor(v, file, {});
}

} // namespace lout
