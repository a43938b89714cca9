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

// Long-value pages, and row slots flagged deleted, in a Jet 4 file.
std::pair<int, int> longValuePagesAndDeletedSlots(const std::vector<std::uint8_t>& file)
{
    std::pair<int, int> found;
    for (std::size_t at = 4096; at + 4096 <= file.size(); at += 4096) {
        found.first += file[at] == 0x01 && jet::readU32(file, at + 4) == 0x4C41564C; // "LVAL"
        for (std::size_t r = 0; file[at] == 0x01 && r < jet::readU16(file, at + 12); ++r)
            found.second += (jet::readU16(file, at + 14 + 2 * r) & 0xC000) == 0xC000;
    }
    return found;
}

TEST(AccessStyleCatalogue, ReadsAsWrittenWithoutItsDeletedRows)
{
    const JetTable table = testing::accessStyleCoreTable();
    testing::ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", table);
    const auto [longValuePages, deletedSlots] = longValuePagesAndDeletedSlots(testing::readBytes(dir / "db1.mdb"));
    EXPECT_GE(longValuePages, 2);
    EXPECT_EQ(deletedSlots, static_cast<int>(table.deletedRows.size()));
    EXPECT_GT(std::filesystem::file_size(dir / "db1.mdb"), 12u * 4096) << "rows on many pages";

    testing::expectReadAsWritten(table, readCatalogueTable(dir / "db1.mdb"));
    testing::expectReadsAsMdbExport(dir / "db1.mdb", "CORE_DATA");
    testing::expectReadsAsMdbReader(dir / "db1.mdb");
}

} // namespace
} // namespace lout
