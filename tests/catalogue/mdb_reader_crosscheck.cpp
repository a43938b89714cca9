// An independent reader, the npm package mdb-reader, reads the writer's
// files and must see exactly what was written. Reports "skipped" (77) when
// Node.js or the package is not installed.
#include "catalogue_fixtures.h"

#include <bit>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <limits>
#include <sstream>

namespace lout {
namespace {

using testing::ScratchDir;

std::string fromHex(std::string_view hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return out;
}

struct NodeTable {
    std::size_t rowCount = 0;
    std::vector<std::string> columns;
    std::vector<std::vector<FieldValue>> rows;
};

NodeTable readWithMdbReader(const std::filesystem::path& file)
{
    const auto result = testing::runCommand(testing::shellQuoted(LOUT_NODE) + " "
                                            + testing::shellQuoted(LOUT_NODE_DIR "/read_table.mjs") + " "
                                            + testing::shellQuoted(file.string()) + " CORE_DATA");
    EXPECT_EQ(result.status, 0) << result.output;
    NodeTable table;
    std::istringstream lines(result.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("COUNT ", 0) == 0) {
            table.rowCount = std::stoul(line.substr(6));
        } else if (line.rfind("C ", 0) == 0) {
            table.columns.push_back(fromHex(line.substr(2, line.find(' ', 2) - 2)));
        } else if (line.rfind("R ", 0) == 0) {
            std::vector<FieldValue> row;
            std::istringstream cells(line.substr(2));
            std::string cell;
            while (std::getline(cells, cell, '\t')) {
                if (cell == "N") {
                    row.emplace_back();
                } else if (cell[0] == 'T') {
                    row.emplace_back(fromHex(cell.substr(1)));
                } else {
                    const std::string bits = fromHex(cell.substr(1));
                    double value = 0;
                    std::memcpy(&value, bits.data(), sizeof value);
                    row.emplace_back(value);
                }
            }
            table.rows.push_back(std::move(row));
        }
    }
    return table;
}

void expectSeenAsWritten(const JetTable& written, const NodeTable& seen)
{
    EXPECT_EQ(seen.rowCount, written.rows.size());
    ASSERT_EQ(seen.columns.size(), written.columns.size());
    for (std::size_t c = 0; c < written.columns.size(); ++c)
        EXPECT_EQ(seen.columns[c], written.columns[c].name);
    ASSERT_EQ(seen.rows.size(), written.rows.size());
    for (std::size_t r = 0; r < written.rows.size(); ++r) {
        ASSERT_EQ(seen.rows[r].size(), written.columns.size());
        for (std::size_t c = 0; c < written.columns.size(); ++c) {
            FieldValue expected = written.rows[r][c];
            if (written.columns[c].type == JetType::Single && !isNull(expected))
                expected = static_cast<double>(static_cast<float>(std::get<double>(expected)));
            const FieldValue& got = seen.rows[r][c];
            ASSERT_EQ(got.index(), expected.index()) << r << "," << c;
            if (const auto* d = std::get_if<double>(&got))
                EXPECT_EQ(std::bit_cast<std::uint64_t>(*d), std::bit_cast<std::uint64_t>(std::get<double>(expected)))
                    << r << "," << c;
            else
                EXPECT_EQ(got, expected) << r << "," << c;
        }
    }
}

TEST(MdbReader, SeesEveryValueAsWritten)
{
    JetTable table{"CORE_DATA",
                   {{"TYPE", JetType::Text}, {"Co_Family", JetType::Text}, {"A", JetType::Double},
                    {"S", JetType::Single}, {"L", JetType::Long}},
                   {}};
    const char* texts[] = {"EE19(锰锌)", "一二三", "AĀB", "\xEF\xBB\xBF" "BOM", "𠀀 😀", "", "E型磁芯", "it's \"q\""};
    const double doubles[] = {0.1, 9.2, 0.0913, 1e-300, -0.0, 5e-324, 1e300, std::numeric_limits<double>::infinity()};
    const auto textAt = [&](int i) { return std::string(texts[static_cast<std::size_t>(i) % std::size(texts)]); };
    for (int i = 0; i < 2500; ++i)
        table.rows.push_back({textAt(i) + std::to_string(i), i % 4 ? FieldValue{textAt(i + 3)} : FieldValue{},
                              i < 8 ? doubles[i] : i / 7.0, i % 6 ? FieldValue{i * 0.37} : FieldValue{},
                              static_cast<double>(i * 86413 - 100000000)});
    ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", table);
    expectSeenAsWritten(table, readWithMdbReader(dir / "db1.mdb"));
}

TEST(MdbReader, SeesAnEmptyTableAndTheBundledCatalogue)
{
    ScratchDir dir;
    const JetTable empty = testing::coreTable({});
    writeJet4Database(dir / "empty.mdb", empty);
    expectSeenAsWritten(empty, readWithMdbReader(dir / "empty.mdb"));

    const JetTable seven = testing::coreTable({"EE13", "EE16", "EE19", "EE25", "EI30", "ETD29", "PQ20"});
    writeJet4Database(dir / "seven.mdb", seven);
    expectSeenAsWritten(seven, readWithMdbReader(dir / "seven.mdb"));
}

} // namespace
} // namespace lout

int main(int argc, char** argv)
{
    if (std::string(LOUT_NODE).empty()) {
        std::cout << "skipped: Node.js is not installed\n";
        return 77;
    }
    if (!std::filesystem::exists(LOUT_NODE_DIR "/node_modules/mdb-reader")) {
        std::cout << "skipped: mdb-reader is not installed (npm ci in tests/node)\n";
        return 77;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
