#include "tools/catalogue_csv.h"

#include "jet/text.h"
#include "tools/csv.h"

#include <charconv>

namespace lout {

namespace {

bool isTextColumn(std::string_view name)
{
    return jet::sameNameIgnoringAsciiCase(name, "TYPE") || jet::sameNameIgnoringAsciiCase(name, "Co_Family");
}

FieldValue textCell(const csv::Field& field, std::size_t line, const std::string& column)
{
    if (field.text.empty() && !field.quoted)
        return std::monostate{};
    const auto units = jet::utf8ToUtf16(field.text);
    if (!units)
        throw csv::ParseError(line, "列 " + column + "：文字不是有效的 UTF-8 编码（请把文件保存为 UTF-8 编码的 CSV）");
    if (units->size() > 255)
        throw csv::ParseError(line, "列 " + column + "：文字超过 255 个字符");
    return field.text;
}

FieldValue numberCell(const csv::Field& field, std::size_t line, const std::string& column)
{
    if (field.text.empty() && !field.quoted)
        return std::monostate{};
    double value = 0.0;
    const char* begin = field.text.data();
    const char* end = begin + field.text.size();
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (field.text.empty() || error != std::errc() || stop != end)
        throw csv::ParseError(line, "列 " + column + "：“" + field.text + "”不是数字");
    return value;
}

} // namespace

JetTable catalogueFromCsv(std::string_view text)
{
    const std::vector<csv::Record> records = csv::parse(text);
    if (records.empty())
        throw csv::ParseError(1, "没有列名行");
    JetTable table;
    table.name = "CORE_DATA";
    const csv::Record& header = records.front();
    for (const csv::Field& field : header.fields) {
        if (field.text.empty())
            throw csv::ParseError(header.line, "有一个列名是空的");
        for (const JetColumn& earlier : table.columns)
            if (earlier.name == field.text)
                throw csv::ParseError(header.line, "列名 " + field.text + " 出现了两次");
        table.columns.push_back({field.text, isTextColumn(field.text) ? JetType::Text : JetType::Double});
    }
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
    }
    return table;
}

std::string catalogueToCsv(const CatalogueTable& table)
{
    std::string out;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        out += (c ? "," : "") + csv::formatField(table.columns[c]);
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
