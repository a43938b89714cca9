// The CSV side of the catalogue tool: parsing, the value rules, and the real
// core-catalogue program building and dumping files.
#include "catalogue/core_catalogue.h"
#include "catalogue_fixtures.h"
#include "tools/catalogue_csv.h"
#include "tools/csv.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

namespace lout {
namespace {

using testing::ScratchDir;
using testing::runCommand;
using testing::shellQuoted;

std::size_t errorLine(std::string_view text)
{
    try {
        catalogueFromCsv(text);
    } catch (const csv::ParseError& e) {
        return e.line();
    }
    return 0;
}

TEST(Csv, FaultsAreReportedWithTheirLine)
{
    const std::string header = "TYPE,Co_Family,A,Co_Ae\n";
    EXPECT_EQ(errorLine(header + "EE13,EE,1,0.2\nEE16,\"E\nE\",1,0.3\nEE19,EE,1\n"), 5u) << "a short record after a two-line field";
    EXPECT_EQ(errorLine(header + "EE13,EE,1,0.2\nEE16,EE,\"1,0.3\n"), 3u) << "an unclosed quote";
    EXPECT_EQ(errorLine(header + "EE13,E\"E,1,0.2\n"), 2u) << "a quote inside a plain field";
    EXPECT_EQ(errorLine(header + "EE13,\"EE\"x,1,0.2\n"), 2u) << "text after a closing quote";
    EXPECT_EQ(errorLine(header + "EE13,EE,1,0.2\nEE16,EE,1mm,0.3\n"), 3u) << "not a number";
    EXPECT_EQ(errorLine(header + "EE13,EE,\"\",0.2\n"), 2u) << "a quoted empty number";
    EXPECT_EQ(errorLine("TYPE,A,A\n"), 1u) << "a column named twice";
    EXPECT_EQ(errorLine(""), 1u) << "no header";
    EXPECT_EQ(errorLine(header + "EE13,EE,1,0.2\r\r\n"), 2u) << "a stray carriage return";
}

class Tool : public ::testing::Test {
protected:
    ScratchDir dir;
    testing::CommandResult tool(const std::string& arguments)
    {
        return runCommand(shellQuoted(LOUT_CORE_CATALOGUE_TOOL) + " " + arguments + " 2>&1");
    }
    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
};

TEST_F(Tool, BuildThenDumpGivesTheSameCsv)
{
    std::string csv = "TYPE,Co_Family,A,B,C,D,E,F,Co_Ae\n"
                      "\"EE19(锰锌), \"\"soft\"\"\",E型磁芯,19.1,8,4.8,4.8,5.7,3.5,0.2304\n"
                      "\"\",,0.1,9.2,-0,1e-300,0.30000000000000004,5e-324,1.7976931348623157e+308\n"
                      "\"two\nlines\",\"\",,,,,,,0.5\n";
    for (int i = 1; i <= 200; ++i)
        csv += "M" + std::to_string(i) + ",PQ," + textValue(FieldValue{i / 7.0}).value() + ",1,2,3,4,5,"
            + textValue(FieldValue{i / 3.0}).value() + "\n";
    write("cores.csv", csv);
    const auto built = tool("build " + shellQuoted((dir / "cores.csv").string()) + " " + shellQuoted((dir / "db1.mdb").string()));
    ASSERT_EQ(built.status, 0) << built.output;
    const auto dumped = tool("dump " + shellQuoted((dir / "db1.mdb").string()));
    ASSERT_EQ(dumped.status, 0) << dumped.output;
    EXPECT_EQ(dumped.output, csv);
}

TEST_F(Tool, ABadCsvFailsWithItsLineAndWritesNothing)
{
    write("bad.csv", "TYPE,Co_Family,A,B,C,D,E,F,Co_Ae\nEE13,EE,1,2,3,4,5,6,0.2\nEE16,EE,1,2,x,4,5,6,0.3\n");
    const auto result = tool("build " + shellQuoted((dir / "bad.csv").string()) + " " + shellQuoted((dir / "db1.mdb").string()));
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("bad.csv:3:"), std::string::npos) << result.output;
    EXPECT_FALSE(std::filesystem::exists(dir / "db1.mdb"));
}

} // namespace
} // namespace lout
