#include "tools/catalogue_csv.h"

#include "jet/text.h"
#include "tools/csv.h"

#include <charconv>

namespace lout {

namespace {

constexpr std::size_t kTypeColumn = 0;
constexpr std::size_t kFamilyColumn = 1;

std::string columnNamesText()
{
    std::string names;
    for (const std::string_view name : kCatalogueColumns)
        names.append(names.empty() ? "" : ",").append(name);
    return names;
}

// The header must name the catalogue's columns, in their order (in any
// case of letters, as the program finds them); anything else is most
// likely a first row of data or a header a spreadsheet changed.
void checkHeader(const csv::Record& header)
{
    const auto expected = [](const std::string& what) {
        return csv::ParseError::aboutLine(1, "应当是列名 " + columnNamesText() + what);
    };
    const std::vector<csv::Field>& names = header.fields;
    for (std::size_t c = 0; c < kCatalogueColumns.size(); ++c) {
        if (c == names.size())
            throw expected("，缺少 " + std::string(kCatalogueColumns[c]) + " 列");
        if (!jet::sameNameIgnoringAsciiCase(names[c].text, kCatalogueColumns[c]))
            throw expected("，第 " + std::to_string(c + 1) + " 列却是“" + names[c].text + "”");
    }
    if (names.size() > kCatalogueColumns.size())
        throw expected("，多了第 " + std::to_string(kCatalogueColumns.size() + 1) + " 列“"
                       + names[kCatalogueColumns.size()].text + "”");
}

FieldValue textCell(const csv::Field& field, std::size_t line, std::string_view column)
{
    if (field.text.empty() && !field.quoted)
        return std::monostate{};
    const std::string where = "列 " + std::string(column) + "：";
    const auto units = jet::utf8ToUtf16(field.text);
    if (!units)
        throw csv::ParseError(line, where + "文字不是有效的 UTF-8 编码（请把文件保存为 UTF-8 编码的 CSV）");
    if (units->size() > 255)
        throw csv::ParseError(line, where + "文字超过 255 个字符");
    if (!units->empty() && units->front() == u'\uFEFF')
        throw csv::ParseError(line, where + "文字不能以字节顺序标记（U+FEFF）开头");
    return field.text;
}

FieldValue numberCell(const csv::Field& field, std::size_t line, std::string_view column)
{
    if (field.text.empty() && !field.quoted)
        return std::monostate{};
    double value = 0.0;
    const char* begin = field.text.data();
    const char* end = begin + field.text.size();
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (field.text.empty() || error != std::errc() || stop != end)
        throw csv::ParseError(line, "列 " + std::string(column) + "：“" + field.text + "”不是数字");
    return value;
}

} // namespace

CsvCatalogue catalogueFromCsv(std::string_view text)
{
    const std::vector<csv::Record> records = csv::parse(text);
    if (records.empty())
        throw csv::ParseError::aboutLine(1, "应当是列名 " + columnNamesText() + "，文件却是空的");
    checkHeader(records.front());
    CsvCatalogue catalogue;
    JetTable& table = catalogue.table;
    table.name = std::string(kCoreTableName);
    for (std::size_t c = 0; c < kCatalogueColumns.size(); ++c)
        table.columns.push_back({std::string(kCatalogueColumns[c]),
                                 c == kTypeColumn || c == kFamilyColumn ? JetType::Text : JetType::Double});
    for (std::size_t r = 1; r < records.size(); ++r) {
        const csv::Record& record = records[r];
        if (record.fields.size() != table.columns.size())
            throw csv::ParseError(record.line, "有 " + std::to_string(record.fields.size()) + " 个字段，列名行却有 "
                                                   + std::to_string(table.columns.size()) + " 列");
        std::vector<FieldValue> row;
        row.reserve(record.fields.size());
        for (std::size_t c = 0; c < record.fields.size(); ++c) {
            const JetColumn& column = table.columns[c];
            row.push_back(column.type == JetType::Text ? textCell(record.fields[c], record.line, column.name)
                                                       : numberCell(record.fields[c], record.line, column.name));
        }
        table.rows.push_back(std::move(row));
        catalogue.rowLines.push_back(record.line);
    }
    return catalogue;
}

std::string catalogueToCsv(const CatalogueTable& table)
{
    std::string out;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c)
            out += ',';
        out += csv::formatField(table.columns[c]);
    }
    out += '\n';
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c)
                out += ',';
            if (const auto* text = std::get_if<std::string>(&row[c])) {
                out += csv::formatField(*text, text->empty());
            } else if (const auto* number = std::get_if<double>(&row[c])) {
                char buffer[64];
                const auto result = std::to_chars(buffer, buffer + sizeof buffer, *number);
                out.append(buffer, result.ptr);
            }
        }
        out += '\n';
    }
    return out;
}

} // namespace lout
