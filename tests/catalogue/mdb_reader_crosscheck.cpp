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

namespace lout {
namespace {

using testing::ScratchDir;

FieldValue valueOf(const testing::ReaderCell& cell)
{
    switch (cell.kind) {
    case testing::ReaderCell::Kind::Text: return cell.text;
    case testing::ReaderCell::Kind::Number: return cell.number;
    default: return std::monostate{};
    }
}

void expectSeenAsWritten(const JetTable& written, const std::filesystem::path& file)
{
    const testing::ReaderTable seen = testing::readWithMdbReader(file, written.name).at(0);
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
            const FieldValue got = valueOf(seen.rows[r][c]);
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
    expectSeenAsWritten(table, dir / "db1.mdb");
}

TEST(MdbReader, SeesAnEmptyTableAndTheBundledCatalogue)
{
    ScratchDir dir;
    const JetTable empty = testing::coreTable({});
    writeJet4Database(dir / "empty.mdb", empty);
    expectSeenAsWritten(empty, dir / "empty.mdb");

    const JetTable seven = testing::coreTable({"EE13", "EE16", "EE19", "EE25", "EI30", "ETD29", "PQ20"});
    writeJet4Database(dir / "seven.mdb", seven);
    expectSeenAsWritten(seven, dir / "seven.mdb");
}

} // namespace
} // namespace lout

int main(int argc, char** argv)
{
    if (const std::string missing = lout::testing::mdbReaderMissing(); !missing.empty()) {
        std::cout << "skipped: " << missing << "\n";
        return 77;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
