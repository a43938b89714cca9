#include "tools/catalogue_build.h"

#include "catalogue/core_catalogue.h"
#include "tools/catalogue_check.h"
#include "tools/catalogue_csv.h"
#include "tools/csv.h"
#include "tools/tool_files.h"

#include <system_error>

namespace lout {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& file) { return "“" + file.string() + "”"; }

std::vector<std::uint8_t> databaseBytes(const JetTable& table, const fs::path& csvFile)
{
    try {
        return jet4DatabaseBytes(table);
    } catch (const std::exception&) {
        // Every value was checked on reading; only the size is left.
        throw FileError(quoted(csvFile) + "中的型号太多，一个磁芯数据库文件放不下");
    }
}

// The written file opened as lout opens it; its errors name the target,
// not the temporary file the user never sees.
void readAsTheProgramDoes(const fs::path& written, const fs::path& database)
{
    try {
        (void)readCoreCatalogue(written, kModelsTheProgramNeeds);
    } catch (const CatalogueError& error) {
        std::string message = error.what();
        const std::string temporary = written.string();
        for (auto at = message.find(temporary); at != std::string::npos; at = message.find(temporary, at))
            message.replace(at, temporary.size(), database.string());
        throw FileError("lout 不能使用做出的磁芯数据库：错误 " + std::to_string(error.number()) + "：" + message);
    }
}

} // namespace

BuildReport buildCatalogue(const fs::path& csvFile, const fs::path& database)
{
    std::error_code ignored;
    const bool existed = fs::symlink_status(database, ignored).type() != fs::file_type::not_found && !ignored;
    BuildReport report;
    try {
        const CsvCatalogue catalogue = catalogueFromCsv(readWholeFile(csvFile));
        const CatalogueFindings findings = examineCatalogue(catalogue);
        for (const std::string& fault : findings.faults)
            report.faults.push_back(quoted(csvFile) + fault);
        for (const std::string& oddity : findings.oddities)
            report.oddities.push_back(quoted(csvFile) + oddity);
        if (report.faults.empty()) {
            const std::vector<std::uint8_t> bytes = databaseBytes(catalogue.table, csvFile);
            replaceFile(database, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                        [&database](const fs::path& written) { readAsTheProgramDoes(written, database); });
        }
    } catch (const csv::ParseError& error) {
        report.faults.push_back(quoted(csvFile) + error.what());
    } catch (const FileError& error) {
        report.faults.push_back(error.what());
    }
    if (!report.faults.empty())
        report.faults.push_back(existed ? quoted(database) + "保持原样，没有改动。" : "没有写出" + quoted(database) + "。");
    return report;
}

} // namespace lout
