#include "tools/catalogue_check.h"

#include "catalogue/text_fold.h"

#include <cmath>
#include <map>

namespace lout {

namespace {

constexpr std::size_t kTypeColumn = 0;
constexpr std::size_t kFirstDimensionColumn = 2;
constexpr std::size_t kAreaColumn = 8;

std::string atLine(std::size_t line) { return "第 " + std::to_string(line) + " 行："; }

bool isPositiveNumber(const FieldValue& value)
{
    const double* number = std::get_if<double>(&value);
    return number && std::isfinite(*number) && *number > 0;
}

// The program reads the area as a single: a finite double beyond its
// range stops the start-up (overflow).
bool overflowsSingle(double area) { return std::isfinite(area) && std::isinf(static_cast<float>(area)); }

} // namespace

CatalogueFindings examineCatalogue(const CsvCatalogue& catalogue)
{
    CatalogueFindings findings;
    const auto& rows = catalogue.table.rows;
    if (rows.size() < kModelsTheProgramNeeds)
        findings.faults.push_back("只有 " + std::to_string(rows.size()) + " 个型号，lout 至少需要 "
                                  + std::to_string(kModelsTheProgramNeeds) + " 个（启动时选中按 TYPE 排序的第 "
                                  + std::to_string(kModelsTheProgramNeeds) + " 个）");
    std::map<std::u32string, std::size_t> firstLineOfName;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::vector<FieldValue>& row = rows[r];
        const std::size_t line = catalogue.rowLines[r];
        const std::string* name = std::get_if<std::string>(&row[kTypeColumn]);
        if (!name) {
            findings.faults.push_back(atLine(line) + "型号 TYPE 是空的");
            continue;
        }
        const std::string model = "型号“" + *name + "”";
        const FieldValue& area = row[kAreaColumn];
        if (isNull(area))
            findings.faults.push_back(atLine(line) + model + "的有效截面积 Co_Ae 是空的");
        else if (overflowsSingle(std::get<double>(area)))
            findings.faults.push_back(atLine(line) + model + "的有效截面积 Co_Ae 超出单精度数的范围");
        else if (!isPositiveNumber(area))
            findings.oddities.push_back(atLine(line) + model + "的有效截面积 Co_Ae 不是正数");

        for (std::size_t c = kFirstDimensionColumn; c < kAreaColumn; ++c)
            if (!isPositiveNumber(row[c]))
                findings.oddities.push_back(atLine(line) + model + "的尺寸 " + std::string(kCatalogueColumns[c])
                                            + (isNull(row[c]) ? " 是空的" : " 不是正数") + "，这个磁芯的图可能画不出来");

        const auto [first, isNew] = firstLineOfName.try_emplace(foldedName(*name), line);
        if (!isNew)
            findings.oddities.push_back(atLine(line) + model + "与第 " + std::to_string(first->second)
                                        + " 行的型号同名（不分大小写），输入这个名称时只会选中第 "
                                        + std::to_string(first->second) + " 行的型号");
    }
    return findings;
}

} // namespace lout
