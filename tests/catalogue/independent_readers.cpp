#include "independent_readers.h"

#include "catalogue/catalogue_table.h"
#include "tools/csv.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace lout::testing {

namespace {

// How the values of a column are compared, by its Jet type code.
enum class Compare { Text, Guid, Number, YesNo, Date, Skip };

struct ColumnRule {
    Compare how;
    double exportTolerance = 0; // relative, numbers as mdb-export prints them
    double readerTolerance = 0; // relative, numbers as mdb-reader gives them
    const char* skipReason = nullptr;
};

ColumnRule ruleFor(std::uint8_t type)
{
    switch (type) {
    case 0x01: return {Compare::YesNo};
    case 0x02: case 0x03: case 0x04: return {Compare::Number};
    case 0x05: case 0x10: return {Compare::Number, 1e-15, 1e-15}; // currency, decimal: exact decimals as a double
    case 0x06: return {Compare::Number, 1e-7};  // mdb-export prints a Single with 8 digits
    case 0x07: return {Compare::Number, 1e-15}; // and a Double with 16
    case 0x08: return {Compare::Date};
    case 0x0A: case 0x0C: return {Compare::Text}; // text, memo
    case 0x0F: return {Compare::Guid};
    case 0x09: case 0x0B: return {Compare::Skip, 0, 0, "binary data (pictures, documents): the catalogue never reads it"};
    default: return {Compare::Skip, 0, 0, "a type Access 2007 and later added (attachments, multi-value), which libmdb 1.0 does not read"};
    }
}

bool closeEnough(double ours, double theirs, double relative)
{
    if (ours == theirs)
        return true;
    return std::fabs(ours - theirs) <= relative * std::max(std::fabs(ours), std::fabs(theirs));
}

// A replication id's hexadecimal digits, whatever the grouping and case.
std::string guidDigits(const std::string& text)
{
    std::string digits;
    for (const char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return digits;
}

std::string fromHex(const std::string& hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

// mdb-export shows a character its conversion cannot make as '?', and a
// character beyond the Basic Multilingual Plane as one '?' for each of its
// two UTF-16 units (libmdb 1.0 converts from UCS-2).
std::string asMdbExportShows(const std::string& text)
{
    const std::string replacement = "\xEF\xBF\xBD";
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (text.compare(i, replacement.size(), replacement) == 0) {
            shown += '?';
            i += replacement.size();
        } else if (lead >= 0xF0) {
            shown += "??";
            i += 4;
        } else {
            shown += text[i++];
        }
    }
    return shown;
}

ReaderCell readerCell(const std::string& cell)
{
    ReaderCell read{cell.empty() || cell[0] == 'N', cell.size() > 1 ? fromHex(cell.substr(1)) : std::string(), 0};
    if (cell[0] == 'D')
        std::memcpy(&read.number, read.text.data(), sizeof read.number);
    else
        read.number = std::strtod(read.text.c_str(), nullptr); // decimals and currency come as text
    return read;
}

} // namespace

std::string mdbReaderMissing()
{
    if (std::string(LOUT_NODE).empty())
        return "Node.js is not installed";
    if (!std::filesystem::exists(LOUT_NODE_DIR "/node_modules/mdb-reader"))
        return "mdb-reader is not installed (npm ci in tests/node)";
    return {};
}

std::vector<ReaderTable> readWithMdbReader(const std::filesystem::path& file, const std::string& table)
{
    // Appended, not put behind a literal: GCC 12 at -O3 takes a literal in
    // front of a temporary string for an overlapping copy.
    std::string command = "TZ=UTC ";
    command += shellQuoted(LOUT_NODE) + " " + shellQuoted(LOUT_NODE_DIR "/read_table.mjs") + " "
        + shellQuoted(file.string());
    if (!table.empty())
        command.append(" ").append(shellQuoted(table));
    const CommandResult result = runCommand(command);
    if (result.status != 0)
        throw std::runtime_error("mdb-reader could not read " + file.string() + ":\n" + result.output);
    std::vector<ReaderTable> tables;
    if (!table.empty())
        tables.push_back({table, 0, {}, {}});
    std::istringstream lines(result.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("TABLE ", 0) == 0) {
            tables.push_back({fromHex(line.substr(6)), 0, {}, {}});
        } else if (tables.empty()) {
            continue;
        } else if (line.rfind("COUNT ", 0) == 0) {
            tables.back().rowCount = std::stoul(line.substr(6));
        } else if (line.rfind("C ", 0) == 0) {
            tables.back().columns.push_back(fromHex(line.substr(2, line.find(' ', 2) - 2)));
        } else if (line.rfind("R ", 0) == 0) {
            std::vector<ReaderCell> row;
            std::istringstream cells(line.substr(2));
            std::string cell;
            while (std::getline(cells, cell, '\t'))
                row.push_back(readerCell(cell));
            tables.back().rows.push_back(std::move(row));
        }
    }
    return tables;
}

void expectReadAsWritten(const JetTable& written, const CatalogueTable& read)
{
    ASSERT_EQ(read.columns.size(), written.columns.size());
    for (std::size_t c = 0; c < written.columns.size(); ++c)
        EXPECT_EQ(read.columns[c], written.columns[c].name);
    ASSERT_EQ(read.rows.size(), written.rows.size());
    for (std::size_t r = 0; r < written.rows.size(); ++r)
        for (std::size_t c = 0; c < written.columns.size(); ++c) {
            FieldValue expected = written.rows[r][c];
            if (written.columns[c].type == JetType::Single && !isNull(expected))
                expected = static_cast<double>(static_cast<float>(std::get<double>(expected)));
            const auto* number = std::get_if<double>(&expected);
            ASSERT_TRUE(number ? std::holds_alternative<double>(read.rows[r][c])
                                     && std::bit_cast<std::uint64_t>(*number) == std::bit_cast<std::uint64_t>(std::get<double>(read.rows[r][c]))
                               : read.rows[r][c] == expected)
                << "row " << r << ", " << written.columns[c].name << ": wrote "
                << textValue(expected).value_or("NULL") << ", read " << textValue(read.rows[r][c]).value_or("NULL");
        }
}

std::vector<std::string> tablesListedByMdbtools(const std::filesystem::path& file)
{
    const auto listed = runCommand("mdb-tables -1 " + shellQuoted(file.string()));
    EXPECT_EQ(listed.status, 0);
    std::vector<std::string> names;
    std::istringstream lines(listed.output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            names.push_back(line);
    return names;
}

namespace {

// Ours against theirs. mdb-export prints nothing for NULL and for empty
// text alike, shows characters libmdb cannot convert as '?' and prints a
// replication id as the hexadecimal bytes of libmdb's own text.
void expectAgree(const FieldValue& v, const ReaderCell& theirs, const ColumnRule& rule, bool fromMdbExport,
                 const std::string& where)
{
    if (rule.how == Compare::Skip || (fromMdbExport && rule.how == Compare::Date))
        return; // dates: mdb-export prints none before 1900; mdb-reader has them
    const bool empty = isNull(v) || (fromMdbExport && v == FieldValue{std::string()});
    if (empty || theirs.null) {
        EXPECT_TRUE(empty && theirs.null) << where << ": one reader sees NULL";
        return;
    }
    const double tolerance = fromMdbExport ? rule.exportTolerance : rule.readerTolerance;
    switch (rule.how) {
    case Compare::Text:
        EXPECT_EQ(fromMdbExport ? asMdbExportShows(std::get<std::string>(v)) : std::get<std::string>(v), theirs.text)
            << where;
        break;
    case Compare::Guid: EXPECT_EQ(guidDigits(std::get<std::string>(v)), guidDigits(theirs.text)) << where; break;
    case Compare::Number:
        EXPECT_TRUE(closeEnough(std::get<double>(v), theirs.number, tolerance)) << where << " vs " << theirs.number;
        break;
    case Compare::YesNo: EXPECT_EQ(std::get<double>(v) != 0, theirs.number != 0) << where; break;
    case Compare::Date: EXPECT_EQ(std::round((std::get<double>(v) - 25569) * 86400000.0), theirs.number) << where; break;
    case Compare::Skip: break;
    }
}

ReaderCell seenByMdbExport(const std::string& field, Compare how)
{
    return {field.empty(), how == Compare::Guid ? fromHex(field) : field, std::strtod(field.c_str(), nullptr)};
}

} // namespace

void expectReadsAsMdbExport(const std::filesystem::path& file, const std::string& table)
{
    SCOPED_TRACE(table);
    const CatalogueTable ours = readCatalogueTable(file, table);
    const auto exported = runCommand("mdb-export -b hex " + shellQuoted(file.string()) + " " + shellQuoted(table));
    ASSERT_EQ(exported.status, 0);
    const auto records = csv::parse(exported.output);
    ASSERT_FALSE(records.empty());
    ASSERT_EQ(records[0].fields.size(), ours.columns.size());
    for (std::size_t c = 0; c < ours.columns.size(); ++c)
        EXPECT_EQ(records[0].fields[c].text, ours.columns[c]);
    ASSERT_EQ(records.size() - 1, ours.rows.size());
    for (std::size_t r = 0; r < ours.rows.size(); ++r)
        for (std::size_t c = 0; c < ours.columns.size(); ++c) {
            const ColumnRule rule = ruleFor(ours.columnTypes[c]);
            const std::string& field = records[r + 1].fields.at(c).text;
            expectAgree(ours.rows[r][c], seenByMdbExport(field, rule.how), rule, true,
                        "row " + std::to_string(r) + ", " + ours.columns[c] + ", mdb-export \"" + field + "\"");
        }
    for (std::size_t c = 0; c < ours.columns.size(); ++c)
        if (const char* reason = ruleFor(ours.columnTypes[c]).skipReason)
            std::cout << "not compared: " << table << "." << ours.columns[c] << ": " << reason << "\n";
}

void expectReadsAsMdbReader(const std::filesystem::path& file)
{
    if (const std::string missing = mdbReaderMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    const std::vector<ReaderTable> theirs = readWithMdbReader(file);
    std::vector<std::string> theirNames;
    for (const auto& t : theirs)
        theirNames.push_back(t.name);
    EXPECT_EQ(theirNames, tablesListedByMdbtools(file)) << "the two independent readers list the same tables";
    for (const ReaderTable& table : theirs) {
        SCOPED_TRACE(table.name);
        const CatalogueTable ours = readCatalogueTable(file, table.name);
        EXPECT_EQ(table.columns, ours.columns);
        ASSERT_EQ(table.rows.size(), ours.rows.size());
        for (std::size_t r = 0; r < ours.rows.size(); ++r)
            for (std::size_t c = 0; c < ours.columns.size(); ++c)
                expectAgree(ours.rows[r][c], table.rows[r].at(c), ruleFor(ours.columnTypes[c]), false,
                            "row " + std::to_string(r) + ", " + ours.columns[c]);
    }
}

} // namespace lout::testing
