#include "independent_readers.h"

#include "tools/csv.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <iostream>
#include <iterator>
#include <sstream>

namespace lout::testing {

namespace {

// A value as an independent reader gives it.
struct Cell {
    bool null = false;
    std::string text;  // as given: text, decimals, currency, a replication id
    double number = 0; // numbers; 1 or 0 for yes/no; milliseconds since 1970 (UTC) for dates
};
struct Table {
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<Cell>> rows;
};

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

// Table `name` of `file` as mdb-export prints it.
Table exportedByMdbtools(const std::filesystem::path& file, const std::string& name)
{
    const auto exported = runCommand("mdb-export -b hex " + shellQuoted(file.string()) + " " + shellQuoted(name));
    EXPECT_EQ(exported.status, 0);
    const std::vector<csv::Record> records = csv::parse(exported.output);
    Table table{name, {}, {}};
    for (std::size_t r = 0; r < records.size(); ++r) {
        std::vector<Cell> row;
        for (const csv::Field& field : records[r].fields)
            row.push_back({field.text.empty(), field.text, std::strtod(field.text.c_str(), nullptr)});
        if (r == 0) // the column names
            std::transform(row.begin(), row.end(), std::back_inserter(table.columns), [](const Cell& c) { return c.text; });
        else
            table.rows.push_back(std::move(row));
    }
    return table;
}

// Every user table of `file` as mdb-reader reads it (tests/node/read_table.mjs).
std::vector<Table> readWithMdbReader(const std::filesystem::path& file)
{
    // Appended, not put behind a literal: GCC 12 at -O3 takes a literal in
    // front of a temporary string for an overlapping copy.
    std::string command = "TZ=UTC ";
    command += shellQuoted(LOUT_NODE) + " " + shellQuoted(LOUT_NODE_DIR "/read_table.mjs") + " "
        + shellQuoted(file.string());
    const CommandResult result = runCommand(command);
    if (result.status != 0)
        throw std::runtime_error("mdb-reader could not read " + file.string() + ":\n" + result.output);
    std::vector<Table> tables;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("TABLE ", 0) == 0) {
            tables.push_back({fromHex(line.substr(6)), {}, {}});
        } else if (line.rfind("C ", 0) == 0) {
            tables.back().columns.push_back(fromHex(line.substr(2, line.find(' ', 2) - 2)));
        } else if (line.rfind("R ", 0) == 0) {
            std::vector<Cell> row;
            std::istringstream cells(line.substr(2));
            for (std::string cell; std::getline(cells, cell, '\t');) {
                Cell read{cell[0] == 'N', fromHex(cell.substr(1)), 0};
                if (cell[0] == 'D')
                    std::memcpy(&read.number, read.text.data(), sizeof read.number);
                else
                    read.number = std::strtod(read.text.c_str(), nullptr); // decimals and currency come as text
                row.push_back(read);
            }
            tables.back().rows.push_back(std::move(row));
        }
    }
    return tables;
}

// Ours against theirs. mdb-export prints nothing for NULL and for empty
// text alike, shows characters libmdb cannot convert as '?', prints a
// replication id as the hexadecimal bytes of libmdb's own text and no date
// before 1900 (mdb-reader gives them all).
void expectAgree(const FieldValue& v, const Cell& theirs, const ColumnRule& rule, bool fromMdbExport,
                 const std::string& where)
{
    if (rule.how == Compare::Skip || (fromMdbExport && rule.how == Compare::Date))
        return;
    const bool empty = isNull(v) || (fromMdbExport && v == FieldValue{std::string()});
    if (empty || theirs.null) {
        EXPECT_TRUE(empty && theirs.null) << where << ": one reader sees NULL";
        return;
    }
    switch (rule.how) {
    case Compare::Text:
        EXPECT_EQ(fromMdbExport ? asMdbExportShows(std::get<std::string>(v)) : std::get<std::string>(v), theirs.text)
            << where;
        break;
    case Compare::Guid:
        EXPECT_EQ(guidDigits(std::get<std::string>(v)), guidDigits(fromMdbExport ? fromHex(theirs.text) : theirs.text))
            << where;
        break;
    case Compare::Number:
        EXPECT_TRUE(closeEnough(std::get<double>(v), theirs.number,
                                fromMdbExport ? rule.exportTolerance : rule.readerTolerance))
            << where << ": " << std::get<double>(v) << " vs " << theirs.number;
        break;
    case Compare::YesNo: EXPECT_EQ(std::get<double>(v) != 0, theirs.number != 0) << where; break;
    case Compare::Date: EXPECT_EQ(std::round((std::get<double>(v) - 25569) * 86400000.0), theirs.number) << where; break;
    case Compare::Skip: break;
    }
}

void expectSameTable(const CatalogueTable& ours, const Table& theirs, bool fromMdbExport)
{
    SCOPED_TRACE((fromMdbExport ? "mdb-export, table " : "mdb-reader, table ") + theirs.name);
    EXPECT_EQ(theirs.columns, ours.columns);
    ASSERT_EQ(theirs.rows.size(), ours.rows.size());
    for (std::size_t r = 0; r < ours.rows.size(); ++r)
        for (std::size_t c = 0; c < ours.columns.size(); ++c)
            expectAgree(ours.rows[r][c], theirs.rows[r].at(c), ruleFor(ours.columnTypes[c]), fromMdbExport,
                        "row " + std::to_string(r) + ", " + ours.columns[c]);
}

} // namespace

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

void expectReadsAsIndependentReaders(const std::filesystem::path& file)
{
    const CommandResult listing = runCommand("mdb-tables -1 " + shellQuoted(file.string()));
    EXPECT_EQ(listing.status, 0);
    std::vector<std::string> listed;
    std::istringstream lines(listing.output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            listed.push_back(line);
    for (const std::string& name : listed) {
        const CatalogueTable ours = readCatalogueTable(file, name);
        expectSameTable(ours, exportedByMdbtools(file, name), true);
        for (std::size_t c = 0; c < ours.columns.size(); ++c)
            if (const char* reason = ruleFor(ours.columnTypes[c]).skipReason)
                std::cout << "not compared: " << name << "." << ours.columns[c] << ": " << reason << "\n";
    }

    if (std::string(LOUT_NODE).empty())
        GTEST_SKIP() << "not compared with mdb-reader: Node.js is not installed";
    if (!std::filesystem::exists(LOUT_NODE_DIR "/node_modules/mdb-reader"))
        GTEST_SKIP() << "not compared with mdb-reader: it is not installed (npm ci in tests/node)";
    std::vector<std::string> theirNames;
    for (const Table& theirs : readWithMdbReader(file)) {
        theirNames.push_back(theirs.name);
        expectSameTable(readCatalogueTable(file, theirs.name), theirs, false);
    }
    EXPECT_EQ(theirNames, listed) << "the two independent readers list the same tables";
}

} // namespace lout::testing
