// Jet files read through the program's reader (libmdb): the 24 databases
// Access itself made (tests/data/access, see SOURCES.md there), and files
// from the project's writer, value for value (numbers bit for bit, text in
// every form, NULL apart from empty text, many pages, Jet 3 code pages,
// CORE_DATA as Access users make it). Every table reads exactly as two
// independent readers read it: mdbtools' mdb-export (its own formatting of
// every value) and the npm package mdb-reader (its own parsing of the whole
// file).
#include "catalogue/catalogue_errors.h"
#include "catalogue/catalogue_table.h"
#include "catalogue/core_catalogue.h"
#include "catalogue_fixtures.h"
#include "independent_readers.h"
#include "jet/writer.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace lout {
namespace {

using testing::ScratchDir;

// Text that stresses the compressed form: characters whose low byte is 0
// cannot be compressed, a leading U+FEFF looks like the compression mark.
const std::vector<std::string> kAwkwardTexts = {
    "", " ", "EE19", "EE19(锰锌)", "一二三", "AĀB", "\xEF\xBB\xBF" "BOM", "\xEF\xBB\xBF", "Ā", "x\xEF\xBB\xBFy",
    "𠀀 😀", "it's \"quoted\", with commas", std::string(255, 'w'), "E型磁芯", "tab\there\nnewline", "ÄÖÜäöüß",
};

TEST(JetWriter, ValuesOfEveryKindReadBackExactly)
{
    JetTable table{"CORE_DATA",
                   {{"TYPE", JetType::Text}, {"Note", JetType::Text}, {"D", JetType::Double}, {"S", JetType::Single},
                    {"L", JetType::Long}},
                   {}};
    const double doubles[] = {0.1, 9.2, 0.0913, 0.30000000000000004, 1e-300, 1e300, -0.0, 5e-324,
                              std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(), -1.5};
    for (int i = 0; i < 600; ++i) {
        const double d = i < 11 ? doubles[i] : i / 7.0;
        const auto s = static_cast<double>(static_cast<float>(d / 3));
        const std::string& text = kAwkwardTexts[static_cast<std::size_t>(i) % kAwkwardTexts.size()];
        table.rows.push_back({std::string("M").append(std::to_string(i)), text, d, std::isinf(s) ? 0.0 : s,
                              static_cast<double>(i * 1000003 % 2147483647 - 1000000000)});
    }
    table.rows[5][1] = std::monostate{};
    table.rows[6][2] = std::monostate{};
    table.rows[7][3] = std::monostate{};
    table.rows[8][4] = std::monostate{};
    table.rows[9] = {std::string("M9"), std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}};
    table.rows[10][4] = static_cast<double>(std::numeric_limits<std::int32_t>::min());
    ScratchDir dir;
    writeJet4Database(dir / "values.mdb", table);
    testing::expectReadAsWritten(table, readCatalogueTable(dir / "values.mdb"));
    testing::expectReadsAsIndependentReaders(dir / "values.mdb");
}

// CORE_DATA as Access users make it: an AutoNumber key at ordinal 1, Co_Ae
// as Single, a memo of notes in the row, on a long-value page or chained
// over several, rows on many pages and deleted rows among them.
TEST(JetWriter, AnAccessStyleCatalogueReadsAsWrittenWithoutItsDeletedRows)
{
    const JetTable table = testing::accessStyleCoreTable();
    ScratchDir dir;
    writeJet4Database(dir / "db1.mdb", table);
    EXPECT_GT(std::filesystem::file_size(dir / "db1.mdb"), 12u * 4096) << "rows on many pages";
    testing::expectReadAsWritten(table, readCatalogueTable(dir / "db1.mdb"));
    testing::expectReadsAsIndependentReaders(dir / "db1.mdb");
}

TEST(JetWriter, RefusesWhatItCannotStoreAndLeavesNothingBehind)
{
    ScratchDir dir;
    const JetTable base = testing::coreTable({"A"});
    const auto with = [&](std::size_t column, FieldValue value) {
        JetTable t = base;
        t.rows[0][column] = std::move(value);
        return t;
    };
    JetTable narrowRow = base;
    narrowRow.rows[0].pop_back();
    const auto twoColumns = [](JetType type, double value) {
        return JetTable{"T", {{"TYPE", JetType::Text}, {"V", type}}, {{std::string("a"), value}}};
    };
    const JetTable bad[] = {with(2, std::string("12")), with(0, 5.0), with(0, std::string(256, 'x')), narrowRow,
                            with(0, std::string("\xC3(")), with(0, std::string("\xEF\xBB\xBF一")),
                            twoColumns(JetType::Long, 1.5), twoColumns(JetType::Long, 3e9),
                            twoColumns(JetType::Single, 1e39),
                            JetTable{"T", {{"TYPE", JetType::Text}, {"type", JetType::Text}}, {}}};
    for (const JetTable& table : bad) {
        EXPECT_THROW(writeJet4Database(dir / "bad.mdb", table), std::runtime_error);
        EXPECT_FALSE(std::filesystem::exists(dir / "bad.mdb")) << "nothing is left behind";
    }
    // A good table replaces whatever lay there; an empty one keeps its columns.
    testing::writeBytes(dir / "db1.mdb", std::vector<std::uint8_t>(100000, 0xAB));
    writeJet4Database(dir / "db1.mdb", testing::coreTable({}));
    const CatalogueTable empty = readCatalogueTable(dir / "db1.mdb");
    EXPECT_EQ(empty.columns.size(), 9u);
    EXPECT_TRUE(empty.rows.empty());
}

TEST(Jet3, ChineseNamesAndRowsLongerThan256BytesReadBack)
{
    // Code page 936 text, NULL apart from empty text, and rows so long that
    // their offsets need the Jet 3 jump table.
    JetTable table{"CORE_DATA",
                   {{"TYPE", JetType::Text}, {"Co_Family", JetType::Text}, {"Q", JetType::Text}, {"R", JetType::Text},
                    {"D", JetType::Double}},
                   {}};
    const char* names[] = {"EE19(锰锌)", "磁芯甲", "EE13", "PQ20"};
    for (int i = 0; i < 40; ++i)
        table.rows.push_back({std::string(names[i % 4]) + std::to_string(i),
                              i % 3 == 0 ? FieldValue{} : FieldValue{std::string(i % 3 == 1 ? "" : "E型磁芯")},
                              i % 2 ? FieldValue{std::string(200, 'q')} : FieldValue{},
                              std::string(static_cast<std::size_t>(255 - i), 'r'), i / 7.0});
    ScratchDir dir;
    writeJet3Database(dir / "jet3.mdb", table, 936);
    const auto bytes = testing::readBytes(dir / "jet3.mdb");
    EXPECT_EQ(bytes[0x14], 0x00) << "a Jet 3 header";
    testing::expectReadAsWritten(table, readCatalogueTable(dir / "jet3.mdb"));
}


const std::filesystem::path kCorpus = LOUT_ACCESS_CORPUS;
// Access 2010's own password encryption: refused with a message (below), not read.
constexpr const char* kPasswordProtected = "passwordV2010.accdb";

std::vector<std::string> corpusFiles()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
        const std::string name = entry.path().filename().string();
        const std::string extension = entry.path().extension().string();
        if ((extension == ".mdb" || extension == ".accdb") && name != kPasswordProtected)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class AccessMadeFile : public ::testing::TestWithParam<std::string> {
protected:
    std::filesystem::path file() const { return kCorpus / GetParam(); }
};

// Also the one file of no table at all, which only this opens.
TEST_P(AccessMadeFile, OpensAsACatalogueAndLacksOnlyTheCoreTable)
{
    const auto refusal = testing::refusalOf([&] { (void)readCoreCatalogue(file()); });
    EXPECT_EQ(refusal.number, catalogue_errors::kTableNotFound) << refusal.message;
}

TEST_P(AccessMadeFile, EveryTableReadsAsTheIndependentReadersReadIt)
{
    testing::expectReadsAsIndependentReaders(file());
}

std::string testName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name;
    for (const char c : info.param)
        name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, AccessMadeFile, ::testing::ValuesIn(corpusFiles()), testName);

TEST(AccessMadeFiles, APasswordProtectedOneIsRefusedWithAdvice)
{
    const auto refusal = testing::refusalOf([] { (void)readCoreCatalogue(kCorpus / kPasswordProtected); });
    EXPECT_EQ(refusal.number, catalogue_errors::kUnrecognisedFormat);
    EXPECT_NE(refusal.message.find("撤消数据库密码"), std::string::npos) << refusal.message;
}

} // namespace
} // namespace lout
