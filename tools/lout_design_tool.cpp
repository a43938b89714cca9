// lout-design: the window's design on the command line, for one model or
// for the whole catalogue, with the readouts of each design.
//   lout-design [--catalogue FILE] [--u2m V] [--uo V] [--io A] [--ripple %]
//               [--fosc kHz] [--core NAME | --all [--fits]]
//               [--format table|csv|json]
// Exit status: 0 done, 1 failed (with a message), 2 wrong use.
#include "catalogue/catalogue_errors.h"
#include "catalogue/catalogue_places.h"
#include "catalogue/core_catalogue.h"
#include "catalogue/text_fold.h"
#include "design/text/entered_design.h"
#include "design/text/input_text.h"
#include "resources/program_version.h"
#include "tools/report_formats.h"

#include <QString>

#include <charconv>
#include <exception>
#include <filesystem>
#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kWrongUse = 2;

const char* const kUsage = "用法：lout-design [--catalogue 文件] [--u2m 伏] [--uo 伏] [--io 安] [--ripple 百分数] "
                           "[--fosc 千赫] [--core 型号 | --all [--fits]] [--format table|csv|json]";

// The options that take a value, and the inputs they stand for.
const char* const kValueOptions[] = {"--catalogue", "--u2m", "--uo", "--io", "--ripple", "--fosc", "--core", "--format"};
const char* const kFlags[] = {"--all", "--fits"};

struct WrongUse {
    std::string what;
};

std::string inQuotes(const std::string& text) { return "“" + text + "”"; }

int wrongUse(const std::string& message)
{
    std::cerr << "lout-design：" << message << "。" << kUsage << "\n";
    return kWrongUse;
}

int fail(const std::string& message)
{
    std::cerr << "lout-design：" << message << "\n";
    return kFailed;
}

void help()
{
    std::cout << kUsage
              << "\n"
                 "按 lout 窗口的算法设计正激或桥式电路的输出滤波电感，不需要显示器。\n"
                 "对一个磁芯型号，输出窗口在同样输入下显示的六个结果（电感量、匝数、气隙、线径、股数、\n"
                 "死负载），以及绕组能否放进窗口、考虑边缘磁通的气隙和绕组铜损；加 --all 时对目录中\n"
                 "每个型号各输出一行，加 --fits 只留下绕得下的型号并按窗口面积从小到大排列。\n"
                 "\n"
                 "选项（数值按窗口输入框的读法读取，缺省值就是窗口启动时的值）：\n"
                 "  --u2m 伏          次级输出电压（缺省 56）\n"
                 "  --uo 伏           滤波输出电压（缺省 48）\n"
                 "  --io 安           最大额定电流（缺省 10）\n"
                 "  --ripple 百分数   允许电流纹波，0 到 100 的整数（缺省 5）\n"
                 "  --fosc 千赫       开关工作频率（缺省 100）\n"
                 "  --core 型号       磁芯型号，不分大小写（缺省为按型号排序的第 7 个，即窗口启动时的型号）\n"
                 "  --all             列出目录中的每个型号\n"
                 "  --fits            只列出绕得下的型号，窗口面积小的在前（包含 --all）\n"
                 "  --format 格式     table（表格，缺省）、csv 或 json\n"
                 "  --catalogue 文件  读取这个磁芯数据库文件\n"
                 "  -h, --help        显示本帮助后退出\n"
                 "  -v, --version     显示版本号后退出\n"
                 "\n"
              << lout::catalogueOrderText("--catalogue 文件")
              << "\n"
                 "退出状态：0 成功，1 出错（如找不到磁芯数据库，并说明原因），2 用法有误。\n";
}

// The command line as given: option name to value ("" for a flag).
std::map<std::string, std::string> readOptions(const std::vector<std::string>& args)
{
    std::map<std::string, std::string> options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        const bool takesValue = std::find(std::begin(kValueOptions), std::end(kValueOptions), name) != std::end(kValueOptions);
        const bool isFlag = std::find(std::begin(kFlags), std::end(kFlags), name) != std::end(kFlags);
        if (!takesValue && !isFlag)
            throw WrongUse{name.rfind('-', 0) == 0 ? "未知的选项" + inQuotes(name) : "不接受参数" + inQuotes(name)};
        if (isFlag && value)
            throw WrongUse{"选项" + inQuotes(name) + "不带值"};
        if (takesValue && !value) {
            if (i + 1 == args.size())
                throw WrongUse{"选项" + inQuotes(name) + "后面缺少值"};
            value = args[++i];
        }
        if (!options.emplace(name, value.value_or("")).second)
            throw WrongUse{"选项" + inQuotes(name) + "给了不止一次"};
    }
    return options;
}

int ripplePercentOf(const std::string& text)
{
    int percent = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), percent);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || percent < 0
        || percent > lout::kMostRipplePercent)
        throw WrongUse{"纹波" + inQuotes(text) + "不是 0 到 100 的整数"};
    return percent;
}

lout::ReportFormat formatOf(const std::string& text)
{
    if (text == "table")
        return lout::ReportFormat::Table;
    if (text == "csv")
        return lout::ReportFormat::Csv;
    if (text == "json")
        return lout::ReportFormat::Json;
    throw WrongUse{"未知的输出格式" + inQuotes(text) + "（可用 table、csv 或 json）"};
}

// A text as a window's box holds it: read as UTF-8, invalid bytes replaced.
std::string asTyped(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

struct Request {
    std::optional<std::filesystem::path> catalogue;
    lout::EnteredInputs inputs = lout::startUpInputs();
    std::optional<std::string> core;
    bool all = false;
    bool fitsOnly = false;
    lout::ReportFormat format = lout::ReportFormat::Table;
};

Request requestOf(const std::map<std::string, std::string>& options)
{
    Request request;
    const auto given = [&](const char* name) -> const std::string* {
        const auto at = options.find(name);
        return at == options.end() ? nullptr : &at->second;
    };
    if (const std::string* file = given("--catalogue")) {
        if (file->empty())
            throw WrongUse{"选项“--catalogue”的文件名是空的"};
        request.catalogue = std::filesystem::absolute(*file);
    }
    const std::pair<const char*, std::string lout::EnteredInputs::*> boxes[] = {
        {"--u2m", &lout::EnteredInputs::secondaryPeakVoltage},
        {"--uo", &lout::EnteredInputs::outputVoltage},
        {"--io", &lout::EnteredInputs::outputCurrent},
        {"--fosc", &lout::EnteredInputs::frequency}};
    for (const auto& [name, box] : boxes)
        if (const std::string* text = given(name))
            request.inputs.*box = asTyped(*text);
    if (const std::string* ripple = given("--ripple"))
        request.inputs.ripplePercent = ripplePercentOf(*ripple);
    if (const std::string* format = given("--format"))
        request.format = formatOf(*format);
    if (const std::string* core = given("--core"))
        request.core = asTyped(*core);
    request.fitsOnly = given("--fits") != nullptr;
    request.all = given("--all") != nullptr || request.fitsOnly;
    if (request.core && request.all)
        throw WrongUse{"--core 不能和 --all 或 --fits 一起用"};
    return request;
}

int run(const Request& request)
{
    try {
        const lout::CataloguePlace found = lout::catalogueToRead(request.catalogue);
        const std::string file = found.file.string();
        const lout::CoreCatalogue catalogue = lout::readCoreCatalogue(found.file, lout::kModelsTheProgramNeeds);
        const lout::DesignReporter reporter(catalogue, request.inputs);
        if (request.all) {
            std::vector<lout::CoreReport> reports = reporter.reportAll();
            if (request.fitsOnly)
                reports = lout::fittingCores(std::move(reports));
            std::cout << lout::formatReports(reports, request.format);
        } else {
            const std::optional<std::size_t> index =
                request.core ? lout::coreNamed(catalogue, *request.core) : std::optional(lout::kStartUpModel);
            if (!index)
                return fail("磁芯数据库 " + file + " 中没有型号" + inQuotes(*request.core));
            std::cout << lout::formatReport(reporter.report(*index), request.format);
        }
    } catch (const lout::CatalogueError& error) {
        return fail("错误 " + std::to_string(error.number()) + "：" + error.what());
    } catch (const std::exception& error) {
        return fail(std::string("出错：") + error.what());
    }
    std::cout.flush();
    return std::cout ? 0 : fail("无法写出结果");
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
            std::cout << "lout-design " << lout::programVersion() << "\n";
            return 0;
        }
    }
    try {
        return run(requestOf(readOptions(args)));
    } catch (const WrongUse& wrong) {
        return wrongUse(wrong.what);
    }
}
