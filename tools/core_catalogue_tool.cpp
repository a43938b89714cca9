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
#include "tools/catalogue_build.h"
#include "tools/catalogue_check.h"
#include "tools/catalogue_csv.h"
#include "tools/tool_files.h"

#include <QFile>

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kWrongUse = 2;

std::string quoted(const std::string& text) { return "“" + text + "”"; }

// Every message is one line on standard error, after the tool's name.
void tell(const std::string& message)
{
    std::fprintf(stderr, "core-catalogue：%s\n", message.c_str());
}

int fail(const std::string& message)
{
    tell(message);
    return kFailed;
}

int fail(const lout::CatalogueError& error)
{
    return fail("错误 " + std::to_string(error.number()) + "：" + error.what());
}

int wrongUse(const std::string& message)
{
    tell(message + "。用 core-catalogue --help 查看用法。");
    return kWrongUse;
}

// Standard output that cannot be written (a full disk) is a failure too.
int print(const std::string& text)
{
    try {
        lout::writeStandardOutput(text);
    } catch (const lout::FileError& error) {
        return fail(error.what());
    }
    return 0;
}

std::string helpText()
{
    const std::filesystem::path user = lout::userCatalogue();
    const std::string userFile = user.empty() ? "~/.local/share/lout/db1.mdb" : user.string();
    return "用法：core-catalogue 命令 [参数]\n"
           "制作和查看 lout 的磁芯数据库（Access/Jet 格式的 db1.mdb，表 CORE_DATA）。\n"
           "\n"
           "命令：\n"
           "  list [文件]             显示 lout 会读取的磁芯数据库：哪个文件、有多少个型号、\n"
           "                          第一个和最后一个型号（按 TYPE 排序）；给出文件时只看这个文件\n"
           "  init 文件.csv           把随程序提供的磁芯目录写成 CSV 文件，作为自己目录的起点；\n"
           "                          不覆盖已有的文件\n"
           "  build 文件.csv db1.mdb  把 CSV 文件做成磁芯数据库（Jet 4 格式）；需要时建立所在的文件夹。\n"
           "                          lout 无法用它启动时（如不到 7 个型号、Co_Ae 为空）不写入，\n"
           "                          原有的 db1.mdb 保持原样\n"
           "  dump db1.mdb            把磁芯数据库按 CSV 格式写到标准输出\n"
           "  -h, --help              显示本帮助后退出\n"
           "  -v, --version           显示版本号后退出\n"
           "\n"
        + lout::catalogueOrderText("list 文件")
        + "\n"
          "CSV 文件：UTF-8 编码，第一行是列名 TYPE,Co_Family,A,B,C,D,E,F,Co_Ae。TYPE 是型号，\n"
          "Co_Family 是磁芯类别，A 到 F 是尺寸（mm），Co_Ae 是有效截面积（cm²）。\n"
          "lout 至少需要 7 个型号，启动时选中按 TYPE 排序的第 7 个。\n"
          "\n"
          "使用自己的磁芯：\n"
          "  core-catalogue init 我的磁芯.csv\n"
          "  （用电子表格编辑 我的磁芯.csv，仍保存为 UTF-8 编码的 CSV）\n"
          "  core-catalogue build 我的磁芯.csv "
        + userFile
        + "\n"
          "  core-catalogue list\n"
          "  lout\n"
          "删除 "
        + userFile
        + " 即可改回使用随程序提供的磁芯数据库。\n"
          "\n"
          "退出状态：0 成功，1 出错（并说明原因），2 用法有误。\n";
}

int build(const std::filesystem::path& csvFile, const std::filesystem::path& database)
{
    const lout::BuildReport report = lout::buildCatalogue(csvFile, database);
    for (const std::string& oddity : report.oddities)
        tell("注意：" + oddity);
    for (const std::string& fault : report.faults)
        fail(fault);
    return report.faults.empty() ? 0 : kFailed;
}

int dump(const std::string& database)
{
    try {
        return print(lout::catalogueToCsv(lout::readCatalogueTable(database)));
    } catch (const lout::CatalogueError& e) {
        return fail(e);
    }
}

int list(const std::optional<std::filesystem::path>& named)
{
    std::optional<lout::CataloguePlace> found;
    try {
        found = lout::catalogueToRead(named);
        // The file first: it is named even when it cannot be read.
        if (const int status = print("磁芯数据库：" + found->file.string() + "（"
                                     + lout::placeDescription(found->kind) + "）\n"))
            return status;
        const std::vector<lout::CatalogueCore> cores = lout::readCoreCatalogue(found->file, 0).cores;
        std::string shown = "型号数：" + std::to_string(cores.size()) + "\n";
        if (!cores.empty())
            shown += "第一个型号：" + cores.front().name + "\n最后一个型号：" + cores.back().name + "\n";
        if (const int status = print(shown))
            return status;
        if (cores.size() < lout::kModelsTheProgramNeeds)
            throw lout::catalogue_errors::tooFewModels(found->file.string(), cores.size(),
                                                       lout::kModelsTheProgramNeeds);
    } catch (const lout::CatalogueError& error) {
        fail(error);
        if (const std::string hint = found ? lout::ownCatalogueHint(*found) : ""; !hint.empty())
            fail(hint);
        return kFailed;
    }
    return 0;
}

int init(const std::filesystem::path& target)
{
    QFile bundled(QStringLiteral(":/cores.csv"));
    if (!bundled.open(QIODevice::ReadOnly))
        return fail("程序里缺少随程序提供的磁芯目录");
    const QByteArray text = bundled.readAll();
    try {
        lout::writeNewFile(target, {text.constData(), static_cast<std::size_t>(text.size())});
    } catch (const lout::FileError& error) {
        return fail(error.what());
    }
    return 0;
}

int run(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help")
            return print(helpText());
        if (arg == "-v" || arg == "--version")
            return print("core-catalogue " + std::string(lout::programVersion()) + "\n");
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

} // namespace

int main(int argc, char** argv)
{
    // Caught here so that the stack unwinds: a temporary file goes with it.
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        return fail("内存不足");
    } catch (const std::exception& error) {
        return fail(std::string("意外的错误：") + error.what());
    }
}
