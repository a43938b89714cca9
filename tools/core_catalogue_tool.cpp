// core-catalogue: makes and shows the program's catalogue.
//   core-catalogue list [FILE]           the catalogue lout would read
//   core-catalogue init CORES.csv        the bundled catalogue as CSV
//   core-catalogue build CORES.csv db1.mdb
//   core-catalogue dump db1.mdb          a catalogue as CSV on stdout
// Exit status: 0 done, 1 failed (with a message), 2 wrong use.
#include "catalogue/catalogue_errors.h"
#include "catalogue/catalogue_places.h"
#include "catalogue/core_catalogue.h"
#include "resources/program_version.h"
#include "tools/catalogue_csv.h"
#include "tools/csv.h"

#include <QFile>

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kWrongUse = 2;
// Start-up selects the seventh model.
constexpr std::size_t kModelsTheProgramNeeds = 7;

std::string quoted(const std::string& text) { return "“" + text + "”"; }

int fail(const std::string& message)
{
    std::cerr << "core-catalogue：" << message << "\n";
    return kFailed;
}

int fail(const lout::CatalogueError& error)
{
    return fail("错误 " + std::to_string(error.number()) + "：" + error.what());
}

int wrongUse(const std::string& message)
{
    std::cerr << "core-catalogue：" << message << "。用 core-catalogue --help 查看用法。\n";
    return kWrongUse;
}

void help()
{
    const std::filesystem::path user = lout::userCatalogue();
    const std::string userFile = user.empty() ? "~/.local/share/lout/db1.mdb" : user.string();
    std::cout << "用法：core-catalogue 命令 [参数]\n"
                 "制作和查看 lout 的磁芯数据库（Access/Jet 格式的 db1.mdb，表 CORE_DATA）。\n"
                 "\n"
                 "命令：\n"
                 "  list [文件]             显示 lout 会读取的磁芯数据库：哪个文件、有多少个型号、\n"
                 "                          第一个和最后一个型号（按 TYPE 排序）；给出文件时只看这个文件\n"
                 "  init 文件.csv           把随程序提供的磁芯目录写成 CSV 文件，作为自己目录的起点；\n"
                 "                          不覆盖已有的文件\n"
                 "  build 文件.csv db1.mdb  把 CSV 文件做成磁芯数据库（Jet 4 格式）；需要时建立所在的文件夹\n"
                 "  dump db1.mdb            把磁芯数据库按 CSV 格式写到标准输出\n"
                 "  -h, --help              显示本帮助后退出\n"
                 "  -v, --version           显示版本号后退出\n"
                 "\n"
              << lout::catalogueOrderText("list 文件")
              << "\n"
                 "CSV 文件：UTF-8 编码，第一行是列名 TYPE,Co_Family,A,B,C,D,E,F,Co_Ae。TYPE 是型号，\n"
                 "Co_Family 是磁芯类别，A 到 F 是尺寸（mm），Co_Ae 是有效截面积（cm²）。\n"
                 "lout 至少需要 7 个型号，启动时选中按 TYPE 排序的第 7 个。\n"
                 "\n"
                 "使用自己的磁芯：\n"
                 "  core-catalogue init 我的磁芯.csv\n"
                 "  （用电子表格编辑 我的磁芯.csv，仍保存为 UTF-8 编码的 CSV）\n"
                 "  core-catalogue build 我的磁芯.csv "
              << userFile
              << "\n"
                 "  core-catalogue list\n"
                 "  lout\n"
                 "\n"
                 "退出状态：0 成功，1 出错（并说明原因），2 用法有误。\n";
}

int build(const std::string& csvFile, const std::filesystem::path& database)
{
    std::ifstream in(csvFile, std::ios::binary);
    if (!in)
        return fail("无法读取 " + quoted(csvFile));
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    lout::JetTable table;
    try {
        table = lout::catalogueFromCsv(text);
    } catch (const lout::csv::ParseError& e) {
        const std::string what = e.what();
        return fail(csvFile + ":" + std::to_string(e.line()) + ": " + what.substr(what.find(": ") + 2));
    }
    try {
        if (database.has_parent_path())
            std::filesystem::create_directories(database.parent_path());
        lout::writeJet4Database(database, table);
    } catch (const std::exception& e) {
        return fail(database.string() + ": " + e.what());
    }
    // A table the program cannot start with is still written (the tool makes
    // any CORE_DATA table), but the user hears of it at once.
    try {
        (void)lout::CoreRecordSet::open(database, kModelsTheProgramNeeds);
    } catch (const lout::CatalogueError& error) {
        std::cerr << "core-catalogue：注意：lout 不能使用这个磁芯数据库：错误 " << error.number() << "："
                  << error.what() << "\n";
    }
    return 0;
}

int dump(const std::string& database)
{
    try {
        std::cout << lout::catalogueToCsv(lout::readCatalogueTable(database)) << std::flush;
    } catch (const lout::CatalogueError& e) {
        return fail(e);
    }
    return std::cout ? 0 : kFailed;
}

int list(const std::optional<std::filesystem::path>& named)
{
    try {
        const lout::CataloguePlace found = lout::catalogueToRead(named);
        std::cout << "磁芯数据库：" << found.file.string() << "（" << lout::placeDescription(found.kind) << "）\n";
        const lout::CoreRecordSet set = lout::CoreRecordSet::open(found.file, 0);
        const auto name = [&set](std::size_t row) { return lout::textValue(set.row(row).at(0)).value_or(""); };
        std::cout << "型号数：" << set.rowCount() << "\n";
        if (set.rowCount() > 0)
            std::cout << "第一个型号：" << name(0) << "\n最后一个型号：" << name(set.rowCount() - 1) << "\n";
        std::cout << std::flush;
        if (set.rowCount() < kModelsTheProgramNeeds)
            throw lout::catalogue_errors::tooFewModels(found.file.string(), set.rowCount(), kModelsTheProgramNeeds);
    } catch (const lout::CatalogueError& error) {
        return fail(error);
    }
    return 0;
}

int init(const std::filesystem::path& target)
{
    QFile bundled(QStringLiteral(":/cores.csv"));
    if (!bundled.open(QIODevice::ReadOnly))
        return fail("程序里缺少随程序提供的磁芯目录");
    const QByteArray text = bundled.readAll();
    std::error_code error;
    if (std::filesystem::symlink_status(target, error).type() != std::filesystem::file_type::not_found)
        return fail(quoted(target.string()) + "已经存在，没有覆盖它");
    std::ofstream out(target, std::ios::binary);
    out.write(text.constData(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        return fail("无法写入 " + quoted(target.string()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            help();
            return 0;
        }
        if (arg == "-v" || arg == "--version") {
            std::cout << "core-catalogue " << lout::programVersion() << "\n";
            return 0;
        }
    }
    for (const std::string& arg : args)
        if (arg.size() > 1 && arg[0] == '-')
            return wrongUse("未知的选项" + quoted(arg));
    if (args.empty())
        return wrongUse("缺少命令（list、init、build 或 dump）");

    const std::string& verb = args[0];
    const std::size_t operands = args.size() - 1;
    if (verb == "list" && operands <= 1)
        return list(operands == 1 ? std::optional<std::filesystem::path>(std::filesystem::absolute(args[1]))
                                  : std::nullopt);
    if (verb == "init" && operands == 1)
        return init(args[1]);
    if (verb == "build" && operands == 2)
        return build(args[1], args[2]);
    if (verb == "dump" && operands == 1)
        return dump(args[1]);
    if (verb == "list" || verb == "init" || verb == "build" || verb == "dump")
        return wrongUse("命令 " + verb + " 的参数个数不对");
    return wrongUse("未知的命令" + quoted(verb));
}
