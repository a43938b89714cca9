// mdbtools' own mdb-export reads the writer's files the same way: an
// independent path through libmdb that formats values itself.
#include "catalogue_fixtures.h"
#include "tools/csv.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace lout {
namespace {

using testing::ScratchDir;

// mdb-export prints a Double with 16 significant digits and a Single with 8.
std::string asMdbExportPrints(double value, JetType type)
{
    char buffer[64];
    if (type == JetType::Single)
        std::snprintf(buffer, sizeof buffer, "%.8g", static_cast<double>(static_cast<float>(value)));
    else
        std::snprintf(buffer, sizeof buffer, "%.16g", value);
    return buffer;
}

TEST(MdbExport, AgreesWithWhatTheWriterWrote)
{
    if (std::string(LOUT_MDB_EXPORT).empty())
        GTEST_SKIP() << "mdb-export is not installed";
    JetTable table{"CORE_DATA",
                   {{"TYPE", JetType::Text}, {"Co_Family", JetType::Text}, {"A", JetType::Double},
                    {"S", JetType::Single}, {"L", JetType::Long}},
                   {}};
    const char* names[] = {"EE19(锰锌)", "一二三", "AĀB", "it's \"q\", x", "E", "PQ 26/25", "ÄÖÜ"};
    for (int i = 0; i < 1200; ++i)
        table.rows.push_back({std::string(names[i % 7]) + std::to_string(i), i % 5 ? FieldValue{std::string("E型磁芯")} : FieldValue{},
                              i % 11 ? FieldValue{i / 7.0} : FieldValue{}, i * 0.37, static_cast<double>(i - 600)});
    ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", table);
    const auto exported = testing::runCommand(testing::shellQuoted(LOUT_MDB_EXPORT) + " "
                                              + testing::shellQuoted((dir / "db1.mdb").string()) + " CORE_DATA");
    ASSERT_EQ(exported.status, 0);
    const auto records = csv::parse(exported.output);
    ASSERT_EQ(records.size(), table.rows.size() + 1);
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        EXPECT_EQ(records[0].fields[c].text, table.columns[c].name);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto& fields = records[r + 1].fields;
        ASSERT_EQ(fields.size(), table.columns.size());
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const FieldValue& wrote = table.rows[r][c];
            if (isNull(wrote))
                EXPECT_EQ(fields[c].text, "") << r << "," << c;
            else if (const auto* text = std::get_if<std::string>(&wrote))
                EXPECT_EQ(fields[c].text, *text) << r << "," << c;
            else
                EXPECT_EQ(fields[c].text, asMdbExportPrints(std::get<double>(wrote), table.columns[c].type)) << r << "," << c;
        }
    }
}

} // namespace
} // namespace lout
