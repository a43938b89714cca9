// Databases that Access itself made (tests/data/access, see SOURCES.md
// there): the program opens every one, and every table of every file reads
// through the program's reader exactly as two independent readers read it,
// mdbtools' mdb-export (its own formatting of every value) and the npm
// package mdb-reader (its own parsing of the whole file).
#include "catalogue/catalogue_errors.h"
#include "catalogue/core_catalogue.h"
#include "catalogue_fixtures.h"
#include "independent_readers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace lout {
namespace {

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

TEST_P(AccessMadeFile, OpensAsACatalogueAndLacksOnlyTheCoreTable)
{
    try {
        (void)readCoreCatalogue(file());
        FAIL() << "no corpus file holds CORE_DATA";
    } catch (const CatalogueError& e) {
        EXPECT_EQ(e.number(), catalogue_errors::kTableNotFound) << e.what();
        EXPECT_NE(std::string(e.what()).find("找不到表 CORE_DATA"), std::string::npos) << e.what();
    }
}

TEST_P(AccessMadeFile, EveryTableReadsAsMdbExportReadsIt)
{
    for (const std::string& table : testing::tablesListedByMdbtools(file()))
        testing::expectReadsAsMdbExport(file(), table);
}

TEST_P(AccessMadeFile, EveryTableReadsAsMdbReaderReadsIt)
{
    testing::expectReadsAsMdbReader(file());
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
    // A database protected by Access 2010's password is refused with advice.
    try {
        (void)readCoreCatalogue(kCorpus / kPasswordProtected);
        FAIL() << "a password-protected database was read";
    } catch (const CatalogueError& e) {
        EXPECT_EQ(e.number(), catalogue_errors::kUnrecognisedFormat);
        EXPECT_NE(std::string(e.what()).find("撤消数据库密码"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace lout
