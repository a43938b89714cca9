// CORE_DATA as Access users make it, from the project's writer: an
// AutoNumber key at ordinal 1, Co_Ae as Single, a memo of notes in the row,
// on a long-value page or chained over several, rows on many pages and
// deleted rows among them. The program reads it as written, the deleted
// rows nowhere, and the independent readers agree.
#include "catalogue/catalogue_table.h"
#include "catalogue/core_catalogue.h"
#include "jet/bytes.h"
#include "catalogue_fixtures.h"
#include "independent_readers.h"

#include <gtest/gtest.h>

namespace lout {
namespace {

struct PageCensus {
    std::size_t longValuePages = 0;
    std::size_t deletedSlots = 0;
    std::size_t userDataPages = 0;
};

PageCensus census(const std::vector<std::uint8_t>& file)
{
    constexpr std::size_t kPage = 4096;
    constexpr std::uint32_t kUserDefinition = 3;
    PageCensus c;
    for (std::size_t at = kPage; at + kPage <= file.size(); at += kPage) {
        if (file[at] != 0x01)
            continue;
        const std::uint32_t owner = jet::readU32(file, at + 4);
        c.longValuePages += owner == 0x4C41564C; // "LVAL"
        c.userDataPages += owner == kUserDefinition;
        for (std::size_t r = 0; r < jet::readU16(file, at + 12); ++r)
            c.deletedSlots += (jet::readU16(file, at + 14 + 2 * r) & 0xC000) == 0xC000;
    }
    return c;
}

TEST(AccessStyleCatalogue, ReadsAsWrittenWithoutItsDeletedRows)
{
    const JetTable table = testing::accessStyleCoreTable();
    testing::ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", table);
    const PageCensus pages = census(testing::readBytes(dir / "db1.mdb"));
    EXPECT_GE(pages.longValuePages, 2u);
    EXPECT_EQ(pages.deletedSlots, table.deletedRows.size());
    EXPECT_GE(pages.userDataPages, 5u);

    const CatalogueTable read = readCatalogueTable(dir / "db1.mdb");
    ASSERT_EQ(read.rows.size(), table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            FieldValue expected = table.rows[r][c];
            if (table.columns[c].type == JetType::Single)
                expected = static_cast<double>(static_cast<float>(std::get<double>(expected)));
            ASSERT_EQ(read.rows[r][c], expected) << "row " << r << ", " << table.columns[c].name;
        }
    }
    testing::expectReadsAsMdbExport(dir / "db1.mdb", "CORE_DATA");
    testing::expectReadsAsMdbReader(dir / "db1.mdb");
}

} // namespace
} // namespace lout
