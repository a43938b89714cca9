// The CSV side of the catalogue tool and the real core-catalogue program on
// real files: faults named with their line, a catalogue lout could not
// start with refused before the old one is touched, and writes that fail
// saying which file and why, leaving nothing behind.
#include "catalogue_fixtures.h"
#include "tools/catalogue_csv.h"
#include "tools/csv.h"

#include <unistd.h>

#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace lout {
namespace {

namespace fs = std::filesystem;
using testing::runCommand;
using testing::shellQuoted;

const std::string kHeader = "TYPE,Co_Family,A,B,C,D,E,F,Co_Ae";

std::string faultOf(std::string_view text)
{
    try {
        catalogueFromCsv(text);
    } catch (const csv::ParseError& e) {
        return e.what();
    }
    return "no fault";
}

TEST(Csv, FaultsAreReportedWithTheirLine)
{
    const std::string header = kHeader + "\n";
    const std::string ee13 = "EE13,EE,1,2,3,4,5,6,0.2\n";
    const std::string expected = "第 1 行应当是列名 " + kHeader;
    const struct { std::string text, fault; } cases[] = {
        {header + ee13 + "EE16,\"E\nE\",1,2,3,4,5,6,0.3\nEE19,EE,1\n", "第 5 行：有 3 个字段，列名行却有 9 列"},
        {header + ee13 + "EE16,EE,\"1,0.3\n", "第 3 行：引号里的字段没有结束引号"},
        {header + "EE13,E\"E,1,2,3,4,5,6,0.2\n", "第 2 行：没有引号的字段中间有引号"},
        {header + "EE13,\"EE\"x,1,2,3,4,5,6,0.2\n", "第 2 行：字段的结束引号后面还有文字"},
        {header + ee13 + "EE16,EE,1mm,2,3,4,5,6,0.3\n", "第 3 行：列 A：“1mm”不是数字"},
        {header + "EE13,EE,\"\",2,3,4,5,6,0.2\n", "第 2 行：列 A：“”不是数字"},
        {header + "EE13,EE,1,2,3,4,5,6,0.2\r\r\n", "第 2 行：回车符后面没有换行符"},
        // A first row of data, or a header that lost or gained a column.
        {"RM4,RM,9.5,9.5,3.8,3.8,6.5,7.9,0.145\n" + ee13, expected + "，第 1 列却是“RM4”"},
        {"TYPE,Co_Family,A,B,C,D,E,F\n", expected + "，缺少 Co_Ae 列"},
        {kHeader + ",Notes\n", expected + "，多了第 10 列“Notes”"},
        {"", expected + "，文件却是空的"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(faultOf(c.text), c.fault) << c.text;
}

// Eight models EE1 .. EE8, one a line from line 2 on.
std::vector<std::string> goodLines()
{
    std::vector<std::string> lines{kHeader};
    for (int i = 1; i <= 8; ++i)
        lines.push_back("EE" + std::to_string(i) + ",EE,10,8,3,3,4,6,0." + std::to_string(i));
    return lines;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The tool's last words when it leaves `file` as it was, or writes none.
std::string keptAsItWas(const std::string& file) { return "\ncore-catalogue：“" + file + "”保持原样，没有改动。\n"; }
std::string notWritten(const std::string& file) { return "\ncore-catalogue：没有写出“" + file + "”。\n"; }

class Tool : public ::testing::Test {
protected:
    testing::ScratchDir dir;
    std::string at(const std::string& name) const { return (dir / name).string(); }
    // The tool run (by `asUser`, when given) with stderr after stdout.
    testing::CommandResult tool(const std::string& arguments, const std::string& asUser = "")
    {
        return runCommand(asUser + shellQuoted(LOUT_CORE_CATALOGUE_TOOL) + " " + arguments + " 2>&1");
    }
    testing::CommandResult build(const std::string& csv, const std::string& database, const std::string& asUser = "")
    {
        return tool("build " + shellQuoted(at(csv)) + " " + shellQuoted(database), asUser);
    }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; }
    // Every name in the folder, deep.
    std::set<std::string> listing() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
            names.insert(fs::relative(entry.path(), dir.path()).string());
        return names;
    }
    // Builds the good catalogue into `database` (a file that stays put).
    void buildGood(const std::string& database)
    {
        write("good.csv", joined(goodLines()));
        const auto built = build("good.csv", database);
        ASSERT_EQ(built.status, 0) << built.output;
        ASSERT_EQ(built.output, "");
    }
};

TEST_F(Tool, BuildThenDumpGivesTheSameCsvAndWarnsOfOddRows)
{
    std::string csv = kHeader + "\n"
                      "\"EE19(锰锌), \"\"soft\"\"\",E型磁芯,19.1,8,4.8,4.8,5.7,3.5,0.2304\n"
                      "\"\",,0.1,-0,1e-300,0.30000000000000004,5e-324,1.7976931348623157e+308,3.4028234663852886e+38\n"
                      "\"two\nlines\",\"\",,,,,,,0.5\n";
    for (int i = 1; i <= 200; ++i)
        csv.append("M").append(std::to_string(i) + ",PQ," + textValue(FieldValue{i / 7.0}).value() + ",1,2,3,4,5,"
                               + textValue(FieldValue{i / 3.0}).value() + "\n");
    csv += "m7,PQ,1,1,2,3,4,5,0.25\n";
    write("cores.csv", csv);
    const auto built = build("cores.csv", at("db1.mdb"));
    ASSERT_EQ(built.status, 0) << built.output;
    const std::string warning = "core-catalogue：注意：“" + at("cores.csv") + "”";
    for (const std::string oddity : {"第 3 行：型号“”的尺寸 B 不是正数，", "第 4 行：型号“two\nlines”的尺寸 F 是空的，",
                                     "第 206 行：型号“m7”与第 12 行的型号同名（不分大小写），"})
        EXPECT_NE(built.output.find(warning + oddity), std::string::npos) << oddity << "\n" << built.output;
    const auto dumped = tool("dump " + shellQuoted(at("db1.mdb")));
    ASSERT_EQ(dumped.status, 0) << dumped.output;
    EXPECT_EQ(dumped.output, csv);
}

// Whatever would stop lout's start-up is refused, naming the CSV line or
// what is missing, before the target is touched; so is a target that is no
// file or stands in no folder. The old catalogue stays byte for byte and
// nothing appears beside it.
TEST_F(Tool, ABuildThatCannotBeDoneSaysWhyAndLeavesEverythingAsItWas)
{
    buildGood(at("db1.mdb"));
    fs::create_directory(dir / "folder.mdb");
    ASSERT_EQ(::mkfifo(at("pipe.mdb").c_str(), 0644), 0);
    write("faulty.csv", "");
    const std::vector<std::uint8_t> before = testing::readBytes(dir / "db1.mdb");
    const std::set<std::string> names = listing();
    const std::vector<std::string> good = goodLines();
    const auto withLine = [&good](std::size_t line, const std::string& text) {
        std::vector<std::string> lines = good;
        lines.at(line - 1) = text;
        return joined(lines);
    };
    const std::string db = at("db1.mdb"), faulty = "“" + at("faulty.csv") + "”";
    const std::string folder = at("folder.mdb"), pipe = at("pipe.mdb"), inFile = at("good.csv") + "/db1.mdb";
    const struct { std::string csv, target, ending; } cases[] = {
        {joined({good.begin(), good.begin() + 4}), db, faulty + "只有 3 个型号，lout 至少需要 7 个（启动时选中按 TYPE 排序的第 7 个）" + keptAsItWas(db)},
        {withLine(4, ",EE,10,8,3,3,4,6,0.3"), db, faulty + "第 4 行：型号 TYPE 是空的" + keptAsItWas(db)},
        {withLine(5, "EE4,EE,10,8,3,3,4,6,"), db, faulty + "第 5 行：型号“EE4”的有效截面积 Co_Ae 是空的" + keptAsItWas(db)},
        {withLine(6, "EE5,EE,10,8,3,3,4,6,1e39"), db,
         faulty + "第 6 行：型号“EE5”的有效截面积 Co_Ae 超出单精度数的范围" + keptAsItWas(db)},
        {withLine(7, "EE6,EE,10,8,x,3,4,6,0.6"), db, faulty + "第 7 行：列 C：“x”不是数字" + keptAsItWas(db)},
        {withLine(7, "EE6,EE,10,8,x,3,4,6,0.6"), at("new/db1.mdb"), faulty + "第 7 行：列 C：“x”不是数字" + notWritten(at("new/db1.mdb"))},
        {joined(good), folder, "“" + folder + "”是一个文件夹，不能写成文件" + keptAsItWas(folder)},
        {joined(good), inFile, "“" + at("good.csv") + "”不是文件夹，无法在其中写入“" + inFile + "”" + notWritten(inFile)},
        // Renamed over, a device or a pipe would be replaced itself.
        {joined(good), pipe, "“" + pipe + "”不是普通文件，没有写入它" + keptAsItWas(pipe)},
    };
    for (const auto& c : cases) {
        write("faulty.csv", c.csv);
        const auto refused = build("faulty.csv", c.target);
        EXPECT_EQ(refused.status, 1) << c.ending;
        EXPECT_TRUE(refused.output.ends_with("core-catalogue：" + c.ending)) << refused.output;
        EXPECT_EQ(testing::readBytes(dir / "db1.mdb"), before) << c.ending;
        EXPECT_EQ(listing(), names) << c.ending;
    }
}

// A folder the user may not write to, a disk that fills up while the new
// catalogue is written, and standard output on a full device. Root may
// write anywhere, so there the tool runs as the user nobody; the full disk
// is a small tmpfs in a mount namespace of its own.
TEST_F(Tool, NoPermissionOrAFullDiskIsNamedAndLeavesTheOldCatalogue)
{
    const bool root = ::geteuid() == 0;
    fs::permissions(dir.path(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    fs::create_directory(dir / "readonly");
    buildGood(at("readonly/db1.mdb"));
    const std::string target = at("readonly/db1.mdb");
    const std::vector<std::uint8_t> good = testing::readBytes(target);
    const auto stdoutFull = runCommand(shellQuoted(LOUT_CORE_CATALOGUE_TOOL) + " dump " + shellQuoted(target)
                                       + " 2>&1 >/dev/full");
    EXPECT_EQ(stdoutFull.status, 1);
    EXPECT_EQ(stdoutFull.output, "core-catalogue：无法写入标准输出：磁盘已满\n");

    std::string asUser;
    if (root && runCommand("setpriv --reuid=65534 --regid=65534 --clear-groups true").status == 0)
        asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    else if (!root)
        fs::permissions(dir / "readonly", fs::perms::owner_write, fs::perm_options::remove);
    std::vector<std::string> skipped;
    if (!root || !asUser.empty()) {
        const auto denied = build("good.csv", target, asUser);
        EXPECT_EQ(denied.status, 1);
        EXPECT_EQ(denied.output, "core-catalogue：无法写入“" + target + "”：没有权限" + keptAsItWas(target));
        EXPECT_EQ(testing::readBytes(target), good);
    } else {
        skipped.push_back("no permission (running as root without setpriv)");
    }
    fs::permissions(dir / "readonly", fs::perms::owner_write, fs::perm_options::add);

    // A catalogue of nine models does not fit beside one of eight.
    write("nine.csv", joined(goodLines()) + "EE9,EE,10,8,3,3,4,6,0.9\n");
    fs::create_directory(dir / "full");
    const std::string full = at("full");
    const std::string script = "mount -t tmpfs -o size=40k tmpfs " + shellQuoted(full) + " && echo mounted && cp "
        + shellQuoted(target) + " " + shellQuoted(full) + " && " + shellQuoted(LOUT_CORE_CATALOGUE_TOOL) + " build "
        + shellQuoted(at("nine.csv")) + " " + shellQuoted(full + "/db1.mdb") + "; echo \"status $?\"; cmp -s "
        + shellQuoted(target) + " " + shellQuoted(full + "/db1.mdb") + " && echo unchanged; ls -A "
        + shellQuoted(full);
    const auto filled = runCommand(std::string(root ? "unshare -m" : "unshare -rm") + " sh -c " + shellQuoted(script)
                                   + " 2>&1");
    if (filled.output.starts_with("mounted\n")) {
        EXPECT_EQ(filled.output, "mounted\ncore-catalogue：无法写入“" + full + "/db1.mdb”：磁盘已满"
                                     + keptAsItWas(full + "/db1.mdb") + "status 1\nunchanged\ndb1.mdb\n");
    } else {
        skipped.push_back("a full disk (no tmpfs in a mount namespace: " + filled.output + ")");
    }
    for (const std::string& what : skipped)
        std::cout << "[ SKIPPED  ] " << what << "\n";
    if (skipped.size() == 2)
        GTEST_SKIP() << "neither case could be made here";
}

} // namespace
} // namespace lout
