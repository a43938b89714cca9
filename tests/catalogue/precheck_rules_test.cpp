// Every check made before libmdb reads a file, tried on databases Access
// made: the real file passes, a copy damaged where the check looks is
// refused (error 3343), and nothing crashes or hangs. Run on a Jet 4 file
// (Access 2000) and a Jet 3 file (Access 97), whose pages lay the same
// fields out differently.
#include "catalogue/catalogue_errors.h"
#include "catalogue/catalogue_table.h"
#include "catalogue/core_catalogue.h"
#include "catalogue/isolated_read.h"
#include "jet/bytes.h"
#include "jet/precheck.h"
#include "catalogue_fixtures.h"

#include <functional>
#include <gtest/gtest.h>

namespace lout {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Two Access-made files of one user table, "Table", and where their pages
// keep what the checks look at (found with mdb-export's MSysObjects and the
// page headers).
struct AccessFile {
    const char* name;
    std::size_t pageSize;
    std::size_t rowCountAt;   // data and long-value pages
    std::size_t columnsAt;    // definitions
    std::size_t realIndexesAt;
    std::size_t ownedMapAt;
    std::uint32_t userDefinition; // the definition page of "Table"
    std::size_t longValuePage;    // a long-value page with deleted rows
    std::size_t userDataPage;     // a data page of "Table" with a deleted row
};

const AccessFile kJet4{"delTestV2000.mdb", 4096, 12, 45, 51, 55, 23, 16, 31};
const AccessFile kJet3{"delTestV1997.mdb", 2048, 8, 25, 31, 35, 29, 20, 31};

Bytes original(const AccessFile& f) { return testing::readBytes(std::filesystem::path(LOUT_ACCESS_CORPUS) / f.name); }

std::size_t at(const AccessFile& f, std::size_t page, std::size_t offset) { return page * f.pageSize + offset; }

int openNumber(const Bytes& bytes, const std::string& table = std::string(kCoreTableName))
{
    testing::ScratchDir dir;
    testing::writeBytes(dir / "db1.mdb", bytes);
    try {
        (void)readCatalogueTable(dir / "db1.mdb", table);
        return 0;
    } catch (const CatalogueError& e) {
        return e.number();
    }
}

struct Damage {
    const char* what;
    std::function<void(const AccessFile&, Bytes&)> apply;
};

// Damage to what the check before any reading looks at.
const std::vector<Damage> kFileDamage = {
    {"unknown version", [](const AccessFile&, Bytes& b) { b[0x14] = 0x09; }},
    {"page 0 is not a header", [](const AccessFile&, Bytes& b) { b[0] = 0x01; }},
    {"cut by one byte", [](const AccessFile&, Bytes& b) { b.pop_back(); }},
    {"page 2 holds no definition", [](const AccessFile& f, Bytes& b) { b[at(f, 2, 0)] = 0x04; }},
    {"catalogue definition continues past the end",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, 4), static_cast<std::uint32_t>(b.size() / f.pageSize + 5)); }},
    {"catalogue definition continues on itself", [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, 4), 2); }},
    {"catalogue definition continues on a data page",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, 4), static_cast<std::uint32_t>(f.userDataPage)); }},
    {"more columns than a table can have", [](const AccessFile& f, Bytes& b) { jet::putU16(b, at(f, 2, f.columnsAt), 300); }},
    {"index entries beyond the definition", [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, f.realIndexesAt), 1000); }},
    {"usage map on a missing page",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, f.ownedMapAt), static_cast<std::uint32_t>(b.size() / f.pageSize + 3) << 8); }},
    {"usage map on a missing row", [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, f.ownedMapAt), (6u << 8) | 200u); }},
    {"usage map of zero length",
     [](const AccessFile& f, Bytes& b) {
         // The catalogue's map is row 0 of page 6 in both files; row 0 ends at the page end.
         jet::putU16(b, at(f, 6, f.rowCountAt + 2), static_cast<unsigned>(f.pageSize));
     }},
    {"row offsets beyond the long-value page",
     [](const AccessFile& f, Bytes& b) { jet::putU16(b, at(f, f.longValuePage, f.rowCountAt), 3000); }},
    {"long-value row inside the offset table",
     [](const AccessFile& f, Bytes& b) { jet::putU16(b, at(f, f.longValuePage, f.rowCountAt + 2 + 2 * 4), 6); }},
    {"data row overlapping the row before",
     [](const AccessFile& f, Bytes& b) {
         const std::size_t slot = at(f, f.userDataPage, f.rowCountAt + 2 + 2 * 1);
         jet::putU16(b, slot, jet::readU16(b, at(f, f.userDataPage, f.rowCountAt + 2)) + 4);
     }},
};

// Damage to the definition of the table asked for, which only the system
// catalogue names: checked in the isolated read, once the page is known.
const std::vector<Damage> kTableDamage = {
    {"definition continues past the end",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, f.userDefinition, 4), 0x00FFFFFF); }},
    {"definition continues on itself",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, f.userDefinition, 4), f.userDefinition); }},
    {"more columns than a table can have",
     [](const AccessFile& f, Bytes& b) { jet::putU16(b, at(f, f.userDefinition, f.columnsAt), 0xFFFF); }},
    {"usage map of zero length",
     [](const AccessFile& f, Bytes& b) {
         // Point the owned map at a deleted (zero-length) long-value row,
         // which crashes libmdb 1.0 when it follows it.
         jet::putU32(b, at(f, f.userDefinition, f.ownedMapAt), static_cast<std::uint32_t>(f.longValuePage << 8 | 1));
     }},
};

class PrecheckRules : public ::testing::TestWithParam<AccessFile> {};

TEST_P(PrecheckRules, EachDamagedCopyIsRefusedBeforeTheLibraryReadsIt)
{
    for (const Damage& damage : kFileDamage) {
        Bytes bytes = original(GetParam());
        damage.apply(GetParam(), bytes);
        EXPECT_FALSE(jet::precheckJetFile(bytes).header) << damage.what;
        EXPECT_EQ(openNumber(bytes, "Table"), catalogue_errors::kUnrecognisedFormat) << damage.what;
    }
}

TEST_P(PrecheckRules, ADamagedTableDefinitionIsRefusedWhenThatTableIsRead)
{
    for (const Damage& damage : kTableDamage) {
        Bytes bytes = original(GetParam());
        damage.apply(GetParam(), bytes);
        EXPECT_TRUE(jet::precheckJetFile(bytes).header) << damage.what << ": no other table is read through it";
        const jet::IsolatedResult result = jet::readTableIsolated(bytes, "Table", "CP1252");
        const auto* failure = std::get_if<jet::StreamFailure>(&result);
        ASSERT_NE(failure, nullptr) << damage.what << ": the library must not have run into it";
        EXPECT_EQ(failure->why, jet::ReadFailure::Damaged) << damage.what;
        EXPECT_EQ(openNumber(bytes, "Table"), catalogue_errors::kUnrecognisedFormat) << damage.what;
        EXPECT_EQ(openNumber(bytes), catalogue_errors::kTableNotFound) << damage.what;
    }
}

Bytes withDatabaseKey(Bytes bytes, std::uint32_t key)
{
    const jet::Version version = bytes[0x14] == 0 ? jet::Version::Jet3 : jet::Version::Jet4;
    const std::span<std::uint8_t> page0(bytes.data(), 0x100);
    jet::applyHeaderCipher(page0, version);
    jet::putU32(page0, 0x3E, key);
    jet::applyHeaderCipher(page0, version);
    return bytes;
}

TEST_P(PrecheckRules, AnEncodedDatabaseReadsAsTheOriginal)
{
    // Access 97 and 2000 can encode a database: pages after the header are
    // RC4-enciphered with the database key XOR the page number. RC4 is its
    // own inverse, so deciphering a plain file marked with a key enciphers
    // it. libmdb deciphers on its own: mdb-export vouches for the result.
    const Bytes plain = original(GetParam());
    const std::uint32_t key = 0x5A17C0DE;
    Bytes encoded = withDatabaseKey(plain, key);
    jet::decipherPages(encoded);
    encoded = withDatabaseKey(encoded, key);
    ASSERT_NE(Bytes(encoded.begin() + static_cast<std::ptrdiff_t>(GetParam().pageSize), encoded.end()),
              Bytes(plain.begin() + static_cast<std::ptrdiff_t>(GetParam().pageSize), plain.end()));

    testing::ScratchDir dir;
    testing::writeBytes(dir / "plain.mdb", plain);
    testing::writeBytes(dir / "encoded.mdb", encoded);
    const CatalogueTable fromPlain = readCatalogueTable(dir / "plain.mdb", "Table");
    const CatalogueTable fromEncoded = readCatalogueTable(dir / "encoded.mdb", "Table");
    EXPECT_EQ(fromEncoded.columns, fromPlain.columns);
    EXPECT_EQ(fromEncoded.rows, fromPlain.rows);
    EXPECT_FALSE(fromPlain.rows.empty());
    const auto exported = [&](const char* name) {
        return testing::runCommand("mdb-export " + testing::shellQuoted((dir / name).string()) + " Table").output;
    };
    EXPECT_EQ(exported("encoded.mdb"), exported("plain.mdb"));
}

INSTANTIATE_TEST_SUITE_P(AccessMade, PrecheckRules, ::testing::Values(kJet4, kJet3),
                         [](const auto& file) { return file.param.pageSize == 4096 ? "Jet4" : "Jet3"; });

} // namespace
} // namespace lout
