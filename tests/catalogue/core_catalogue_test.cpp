// The catalogue as the program finds and reads it: the place it is read
// from; the cores of CORE_DATA as values (their order, their cells, the
// search by name) and the failures a user sees, on catalogue files written
// by the project's own writer.
#include "catalogue/catalogue_errors.h"
#include "catalogue/catalogue_places.h"
#include "catalogue/core_catalogue.h"
#include "catalogue_fixtures.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace lout {
namespace {

namespace fs = std::filesystem;
using testing::ScratchDir;
using testing::coreTable;

// `table` written to a scratch file and read as start-up reads it.
CoreCatalogue readWritten(const JetTable& table, std::size_t minimumModels = 7)
{
    ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", table);
    return readCoreCatalogue(dir / "db1.mdb", minimumModels);
}

TEST(CoreCatalogue, ListsModelsByNameIgnoringCaseAndKeepsTableOrderForEqualNames)
{
    const CoreCatalogue catalogue =
        readWritten(coreTable({"pq20", "EE19", "ee13", "EC35", "Ee16", "PQ20", "ETD29", "rm8", "RM10", "ee19"}));
    std::vector<std::string> names;
    for (const CatalogueCore& core : catalogue.cores)
        names.push_back(core.name);
    EXPECT_EQ(names, (std::vector<std::string>{"EC35", "ee13", "Ee16", "EE19", "ee19", "ETD29", "pq20", "PQ20", "RM10",
                                               "rm8"}));
    // Cores travel whole: the dimensions of "pq20" (table row 0) stay with it.
    EXPECT_EQ(dimensionsOf(catalogue.cores[6])[0], 1.0);
    EXPECT_EQ(dimensionsOf(catalogue.cores[7])[0], 6.0);
}

TEST(CoreCatalogue, CellsAsReadAndTheFirstCoreOfAName)
{
    JetTable table = coreTable({"EE19", "EE25", "ee19", "O'Brien 1", "x' OR TYPE<>'", "一二三", "PQ\"26"});
    table.rows[2][8] = 9.5;                  // the second "ee19" has another Co_Ae
    table.columns[3].type = JetType::Text;   // a dimension stored as text
    for (auto& row : table.rows)
        row[3] = std::string(" 12.5 ");
    table.rows[1][4] = std::monostate{};     // and one left empty
    const CoreCatalogue catalogue = readWritten(table);

    // The first equal name from the top, ignoring case; a name is a value,
    // quotes and all.
    ASSERT_EQ(coreNamed(catalogue, "Ee19"), 0u);
    EXPECT_EQ(coreAreaOf(catalogue.cores[0], "db1.mdb"), 0.1f);
    EXPECT_EQ(coreAreaOf(catalogue.cores[1], "db1.mdb"), 9.5f);
    for (const char* name : {"O'Brien 1", "x' OR TYPE<>'", "一二三", "PQ\"26"})
        EXPECT_EQ(catalogue.cores.at(*coreNamed(catalogue, name)).name, name);
    EXPECT_FALSE(coreNamed(catalogue, "O'Brien"));

    // Cells as the catalogue holds them: a dimension as text reads as its
    // number, an empty one as none.
    const CatalogueCore& ee25 = catalogue.cores[2];
    EXPECT_EQ(std::get<std::string>(ee25.dimensions[1]), " 12.5 ");
    EXPECT_EQ(dimensionsOf(ee25)[1], 12.5);
    EXPECT_TRUE(isNull(ee25.dimensions[2]));
    EXPECT_FALSE(dimensionsOf(ee25)[2]);
}

// A catalogue table that cannot serve: the engine's error number and a word
// the message must carry.
struct BadCatalogue {
    const char* what;
    std::function<void(JetTable&)> spoil;
    int number;
    const char* mentions;
};

JetTable sevenModels() { return coreTable({"A", "B", "C", "D", "E", "F", "G"}); }

void textAreas(JetTable& t, const std::string& text)
{
    t.columns[8].type = JetType::Text;
    for (auto& row : t.rows)
        row[8] = std::string(" 0.5 ");
    t.rows[3][8] = text;
}

TEST(CoreCatalogueErrors, EachFaultOfTheTableHasItsNumberAndSaysWhat)
{
    const std::vector<BadCatalogue> cases = {
        {"six models", [](JetTable& t) { t.rows.pop_back(); }, 380, "6"},
        {"no model", [](JetTable& t) { t.rows.clear(); }, 3021, "CORE_DATA"},
        {"a null name", [](JetTable& t) { t.rows[4][0] = std::monostate{}; }, 94, "TYPE"},
        {"a null area", [](JetTable& t) { t.rows[6][8] = std::monostate{}; }, 94, "Co_Ae"},
        {"an area that is not a number", [](JetTable& t) { textAreas(t, "0,5"); }, 13, "0,5"},
        {"an empty area", [](JetTable& t) { textAreas(t, ""); }, 13, "Co_Ae"},
        {"an area beyond single precision", [](JetTable& t) { t.rows[0][8] = 1e300; }, 6, "Co_Ae"},
        {"another table", [](JetTable& t) { t.name = "CORES"; }, 3078, "找不到表 CORE_DATA"},
        {"no TYPE column", [](JetTable& t) { t.columns[0].name = "MODEL"; }, 3265, "TYPE"},
        {"no Co_Ae column", [](JetTable& t) { t.columns[8].name = "Ae"; }, 3265, "Co_Ae"},
        {"seven columns",
         [](JetTable& t) {
             t.columns.erase(t.columns.begin() + 6, t.columns.begin() + 8);
             for (auto& row : t.rows)
                 row.erase(row.begin() + 6, row.begin() + 8);
         },
         3265, "8"},
        {"TYPE not first",
         [](JetTable& t) {
             std::swap(t.columns[0], t.columns[1]);
             for (auto& row : t.rows)
                 std::swap(row[0], row[1]);
         },
         3265, "TYPE"},
    };
    for (const BadCatalogue& c : cases) {
        JetTable table = sevenModels();
        c.spoil(table);
        const auto refusal = testing::refusalOf([&] { (void)readWritten(table); });
        EXPECT_EQ(refusal.number, c.number) << c.what;
        EXPECT_NE(refusal.message.find(c.mentions), std::string::npos) << c.what << ": " << refusal.message;
    }
    // What the engine takes: numeric text, a table name in other case, a
    // smaller minimum.
    JetTable fine = sevenModels();
    textAreas(fine, " 0.5 ");
    fine.name = "core_data";
    EXPECT_NO_THROW(readWritten(fine));
    EXPECT_NO_THROW(readWritten(coreTable({"A", "B"}), 2));
}

TEST(CoreCatalogueErrors, MissingUnreadableOrForeignFiles)
{
    ScratchDir dir;
    const auto expectError = [](const std::filesystem::path& file, int number) {
        const auto refusal = testing::refusalOf([&] { (void)readCoreCatalogue(file); });
        EXPECT_EQ(refusal.number, number) << refusal.message;
        EXPECT_NE(refusal.message.find(file.string()), std::string::npos) << "the message names the file";
    };
    expectError(dir / "db1.mdb", 3024);
    expectError(dir.path(), 3051);
    testing::writeBytes(dir / "text.mdb", std::vector<std::uint8_t>(5000, 'x'));
    expectError(dir / "text.mdb", 3343);

    writeJet4Database(dir / "locked.mdb", sevenModels());
    std::filesystem::permissions(dir / "locked.mdb", std::filesystem::perms::none);
    if (::geteuid() != 0) // root reads it anyway
        expectError(dir / "locked.mdb", 3051);
}

// Where the catalogue is looked for, on real files: what counts as present
// and the error that names every place, in order. (The installed program is
// tried on the order itself in tests/install.)
TEST(CataloguePlaces, WhatStandsInAPlaceDecidesWhetherItIsRead)
{
    ScratchDir scratch;
    const fs::path& root = scratch.path();
    const fs::path user = root / "data" / "lout" / "db1.mdb";
    const fs::path beside = root / "program" / "db1.mdb";
    fs::create_directories(user.parent_path());
    fs::create_directories(beside.parent_path());
    const auto chosen = [&](const fs::path& userFile) {
        const auto found = firstPresent(cataloguePlaces(std::nullopt, userFile, beside));
        return found ? std::optional(found->kind) : std::nullopt;
    };

    // Nothing anywhere: the error names every place, in the order looked at.
    EXPECT_EQ(chosen(user), std::nullopt);
    const CatalogueError none = noCatalogueFound(cataloguePlaces(std::nullopt, user, beside));
    EXPECT_EQ(none.number(), 3024);
    const std::string message = none.what();
    EXPECT_LT(message.find("“" + user.string() + "”"), message.find("“" + beside.string() + "”")) << message;

    std::ofstream(beside) << "x";
    EXPECT_EQ(chosen(fs::path()), CataloguePlace::Kind::BesideProgram) << "no user data folder known";
    fs::create_symlink(root / "gone.mdb", user);
    EXPECT_EQ(chosen(user), CataloguePlace::Kind::BesideProgram) << "a dangling link is no catalogue";
    fs::remove(user);
    fs::create_directory(user);
    EXPECT_EQ(chosen(user), CataloguePlace::Kind::UserData) << "a folder in its place is reported, not passed over";
}

} // namespace
} // namespace lout
