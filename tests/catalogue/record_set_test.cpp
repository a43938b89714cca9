// The record set over CORE_DATA: order, cursor, search and the failures a
// user sees, on catalogue files written by the project's own writer.
#include "catalogue/core_catalogue.h"
#include "catalogue_fixtures.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace lout {
namespace {

using testing::ScratchDir;
using testing::coreTable;

std::vector<std::string> listedNames(const CoreRecordSet& set)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < set.rowCount(); ++i)
        names.push_back(*textValue(set.row(i)[0]));
    return names;
}

// Opens `table` written to a scratch file; returns the error number, 0 if
// it opened.
int openError(const JetTable& table, std::size_t minimumRows = 7, std::string* message = nullptr)
{
    ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", table);
    try {
        CoreRecordSet::open(dir / "db1.mdb", minimumRows);
        return 0;
    } catch (const CatalogueError& e) {
        if (message)
            *message = e.what();
        return e.number();
    }
}

TEST(RecordSet, ListsModelsByNameIgnoringCaseAndKeepsTableOrderForEqualNames)
{
    ScratchDir dir;
    JetTable table = coreTable({"pq20", "EE19", "ee13", "EC35", "Ee16", "PQ20", "ETD29", "rm8", "RM10", "ee19"});
    writeJet4Database(dir / "db1.mdb", table);
    const CoreRecordSet set = CoreRecordSet::open(dir / "db1.mdb");
    EXPECT_EQ(listedNames(set), (std::vector<std::string>{"EC35", "ee13", "Ee16", "EE19", "ee19", "ETD29", "pq20",
                                                          "PQ20", "RM10", "rm8"}));
    EXPECT_EQ(set.columnCount(), 9u);
    EXPECT_EQ(set.columnNames()[8], "Co_Ae");
    // Rows travel whole: the dimensions of "pq20" (table row 0) stay with it.
    EXPECT_EQ(std::get<double>(set.row(6)[2]), 1.0);
    EXPECT_EQ(std::get<double>(set.row(7)[2]), 6.0);
}

TEST(RecordSet, CursorStartsPastTheEndAndWalksEveryRow)
{
    ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", coreTable({"A1", "A2", "A3", "A4", "A5", "A6", "A7"}));
    CoreRecordSet set = CoreRecordSet::open(dir / "db1.mdb");
    EXPECT_TRUE(set.eof());
    EXPECT_THROW(set.field(0), CatalogueError);
    set.moveFirst();
    std::vector<std::string> walked;
    while (!set.eof()) {
        walked.push_back(*textValue(set.field(0)));
        set.moveNext();
    }
    EXPECT_EQ(walked, listedNames(set));
    try {
        set.moveNext();
        FAIL() << "moveNext past the end must fail";
    } catch (const CatalogueError& e) {
        EXPECT_EQ(e.number(), 3021);
    }
}

TEST(RecordSet, FindFirstFindsTheFirstEqualNameFromTheTopIgnoringCase)
{
    ScratchDir dir;
    JetTable table = coreTable({"EE19", "EE25", "ee19", "EI30", "ETD34", "PQ26", "RM12"});
    table.rows[2][8] = 9.5; // the second "ee19" has another Co_Ae
    writeJet4Database(dir / "db1.mdb", table);
    CoreRecordSet set = CoreRecordSet::open(dir / "db1.mdb");

    set.moveFirst();
    set.moveNext();
    set.moveNext();
    ASSERT_TRUE(set.findFirst("Ee19"));
    EXPECT_EQ(*textValue(set.field(0)), "EE19");
    EXPECT_FLOAT_EQ(coreAreaOf(set.field("co_ae"), "db1.mdb"), 0.1f);
    ASSERT_TRUE(set.findFirst("ee19")); // choosing the other duplicate still lands on the first
    EXPECT_EQ(*textValue(set.field(0)), "EE19");

    ASSERT_TRUE(set.findFirst("RM12"));
    EXPECT_FALSE(set.findFirst("RM14"));
    EXPECT_EQ(*textValue(set.field(0)), "RM12") << "a failed search leaves the cursor alone";
}

TEST(RecordSet, NamesWithQuotesAndChineseAreFoundAsValues)
{
    ScratchDir dir;
    JetTable table = coreTable({"EE19(锰锌)", "O'Brien 1", "x' OR TYPE<>'", "一二三", "PQ\"26", "EE13", "磁芯"});
    writeJet4Database(dir / "db1.mdb", table);
    CoreRecordSet set = CoreRecordSet::open(dir / "db1.mdb");
    for (const char* name : {"EE19(锰锌)", "O'Brien 1", "x' OR TYPE<>'", "一二三", "PQ\"26", "磁芯"}) {
        ASSERT_TRUE(set.findFirst(name)) << name;
        EXPECT_EQ(*textValue(set.field(0)), name);
    }
    EXPECT_FALSE(set.findFirst("x"));
    EXPECT_FALSE(set.findFirst("O'Brien"));
}

TEST(RecordSet, ExactlySevenModelsOpenAndTheSeventhIsTheLast)
{
    ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", coreTable({"G", "F", "E", "D", "C", "B", "A"}));
    const CoreRecordSet set = CoreRecordSet::open(dir / "db1.mdb");
    ASSERT_EQ(set.rowCount(), 7u);
    EXPECT_EQ(*textValue(set.row(6)[0]), "G");
}

TEST(RecordSet, FieldsByOrdinalAndByName)
{
    ScratchDir dir;
    JetTable table = coreTable({"A1", "A2", "A3", "A4", "A5", "A6", "A7"});
    table.rows[0][3] = std::string(" 12.5 "); // a dimension stored as text
    table.columns[3].type = JetType::Text;
    for (std::size_t r = 1; r < table.rows.size(); ++r)
        table.rows[r][3] = std::string("7");
    writeJet4Database(dir / "db1.mdb", table);
    CoreRecordSet set = CoreRecordSet::open(dir / "db1.mdb");
    ASSERT_TRUE(set.findFirst("A1"));
    EXPECT_EQ(std::get<std::string>(set.field(3)), " 12.5 ");
    EXPECT_EQ(numericValue(set.field(3)), 12.5);
    EXPECT_EQ(std::get<double>(set.field(7)), 6.0);
    EXPECT_EQ(&set.field("CO_AE"), &set.field(8));
    for (const auto bad : {std::size_t{9}, std::size_t{1000}}) {
        try {
            (void)set.field(bad);
            FAIL();
        } catch (const CatalogueError& e) {
            EXPECT_EQ(e.number(), 3265);
        }
    }
    EXPECT_THROW((void)set.field("Co_Au"), CatalogueError);
}

TEST(RecordSetErrors, TooFewModelsOrNoneAtAll)
{
    std::string message;
    EXPECT_EQ(openError(coreTable({"A", "B", "C", "D", "E", "F"}), 7, &message), 380);
    EXPECT_NE(message.find("6"), std::string::npos);
    EXPECT_EQ(openError(coreTable({}), 7, &message), 3021);
    EXPECT_EQ(openError(coreTable({"A", "B"}), 2), 0);
}

TEST(RecordSetErrors, NullNameAndNullOrNonNumericArea)
{
    JetTable nullName = coreTable({"A", "B", "C", "D", "E", "F", "G", "H"});
    nullName.rows[4][0] = std::monostate{};
    std::string message;
    EXPECT_EQ(openError(nullName, 7, &message), 94);
    EXPECT_NE(message.find("TYPE"), std::string::npos);

    JetTable nullArea = coreTable({"A", "B", "C", "D", "E", "F", "G", "H"});
    nullArea.rows[7][8] = std::monostate{};
    EXPECT_EQ(openError(nullArea, 7, &message), 94);
    EXPECT_NE(message.find("Co_Ae"), std::string::npos);
    EXPECT_NE(message.find("H"), std::string::npos);

    JetTable textArea = coreTable({"A", "B", "C", "D", "E", "F", "G"});
    textArea.columns[8].type = JetType::Text;
    for (auto& row : textArea.rows)
        row[8] = std::string(" 0.5 ");
    EXPECT_EQ(openError(textArea), 0) << "numeric text is a number";
    textArea.rows[3][8] = std::string("0,5");
    EXPECT_EQ(openError(textArea, 7, &message), 13);
    EXPECT_NE(message.find("0,5"), std::string::npos);
    textArea.rows[3][8] = std::string("");
    EXPECT_EQ(openError(textArea), 13) << "empty text is not a number";

    JetTable hugeArea = coreTable({"A", "B", "C", "D", "E", "F", "G"});
    hugeArea.rows[0][8] = 1e300;
    EXPECT_EQ(openError(hugeArea), 6) << "an area beyond single precision overflows";
}

TEST(RecordSetErrors, MissingTableOrColumnsAndTooFewColumns)
{
    JetTable otherTable = coreTable({"A", "B", "C", "D", "E", "F", "G"});
    otherTable.name = "CORES";
    std::string message;
    EXPECT_EQ(openError(otherTable, 7, &message), 3078);
    EXPECT_NE(message.find("CORE_DATA"), std::string::npos);

    JetTable lowerCaseTable = coreTable({"A", "B", "C", "D", "E", "F", "G"});
    lowerCaseTable.name = "core_data";
    EXPECT_EQ(openError(lowerCaseTable), 0) << "table names ignore case, as in Access";

    JetTable noType = coreTable({"A", "B", "C", "D", "E", "F", "G"});
    noType.columns[0].name = "MODEL";
    EXPECT_EQ(openError(noType, 7, &message), 3265);
    EXPECT_NE(message.find("TYPE"), std::string::npos);

    JetTable noArea = coreTable({"A", "B", "C", "D", "E", "F", "G"});
    noArea.columns[8].name = "Ae";
    EXPECT_EQ(openError(noArea, 7, &message), 3265);
    EXPECT_NE(message.find("Co_Ae"), std::string::npos);

    JetTable sevenColumns{"CORE_DATA", {{"TYPE", JetType::Text}, {"Co_Family", JetType::Text}, {"A", JetType::Double},
                                        {"B", JetType::Double}, {"C", JetType::Double}, {"D", JetType::Double},
                                        {"Co_Ae", JetType::Double}}, {}};
    for (int i = 0; i < 7; ++i)
        sevenColumns.rows.push_back({std::string(1, static_cast<char>('A' + i)), std::string("EE"), 1.0, 2.0, 3.0, 4.0, 0.5});
    EXPECT_EQ(openError(sevenColumns, 7, &message), 3265);
    EXPECT_NE(message.find("8"), std::string::npos);

    JetTable typeSecond = coreTable({"A", "B", "C", "D", "E", "F", "G"});
    std::swap(typeSecond.columns[0], typeSecond.columns[1]);
    for (auto& row : typeSecond.rows)
        std::swap(row[0], row[1]);
    EXPECT_EQ(openError(typeSecond), 3265) << "the listed field 0 must be the searched TYPE";
}

TEST(RecordSetErrors, MissingUnreadableOrForeignFiles)
{
    ScratchDir dir;
    const auto expectError = [](const std::filesystem::path& file, int number) {
        try {
            CoreRecordSet::open(file);
            ADD_FAILURE() << file << " opened";
        } catch (const CatalogueError& e) {
            EXPECT_EQ(e.number(), number) << e.what();
            EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << "the message names the file";
        }
    };
    expectError(dir / "db1.mdb", 3024);
    expectError(dir / "no-such-folder" / "db1.mdb", 3024);
    expectError(dir.path(), 3051);

    testing::writeBytes(dir / "text.mdb", std::vector<std::uint8_t>(5000, 'x'));
    expectError(dir / "text.mdb", 3343);
    testing::writeBytes(dir / "empty.mdb", {});
    expectError(dir / "empty.mdb", 3343);

    writeJet4Database(dir / "locked.mdb", coreTable({"A", "B", "C", "D", "E", "F", "G"}));
    std::filesystem::permissions(dir / "locked.mdb", std::filesystem::perms::none);
    if (::geteuid() != 0) // root reads it anyway
        expectError(dir / "locked.mdb", 3051);
}

TEST(CoreArea, ConvertsToSinglePrecisionOrFailsLikeTheEngine)
{
    EXPECT_EQ(coreAreaOf(FieldValue{0.2304}, "f"), 0.2304f);
    EXPECT_EQ(coreAreaOf(FieldValue{std::string("1.5")}, "f"), 1.5f);
    const auto numberOf = [](const FieldValue& v) {
        try {
            coreAreaOf(v, "db1.mdb");
        } catch (const CatalogueError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(numberOf(FieldValue{}), 94);
    EXPECT_EQ(numberOf(FieldValue{std::string("abc")}), 13);
    EXPECT_EQ(numberOf(FieldValue{1e39}), 6);
}

} // namespace
} // namespace lout
