#include "catalogue/catalogue_errors.h"

namespace lout::catalogue_errors {

namespace {

std::string quoted(const std::string& s) { return "“" + s + "”"; }
std::string inTable(const std::string& file) { return "磁芯数据库" + quoted(file) + "的表 CORE_DATA "; }
std::string modelText(const std::string& model) { return model.empty() ? "所选型号" : "型号" + quoted(model); }

} // namespace

CatalogueError fileNotFound(const std::string& file)
{
    return {kFileNotFound, "找不到磁芯数据库文件" + quoted(file) + "。"};
}

CatalogueError cannotOpen(const std::string& file, const std::string& reason)
{
    return {kCannotOpen, "无法打开磁芯数据库文件" + quoted(file) + "：" + reason + "。"};
}

CatalogueError notADatabase(const std::string& file, const std::string& detail)
{
    return {kUnrecognisedFormat, "无法识别的数据库格式：" + quoted(file) + "不是可读取的 Access（Jet）数据库（" + detail + "）。"};
}

CatalogueError tableMissing(const std::string& file, const std::string& table)
{
    return {kTableNotFound, "磁芯数据库" + quoted(file) + "中找不到表 " + table + "。"};
}

CatalogueError columnMissing(const std::string& file, const std::string& column)
{
    return {kItemNotFound, inTable(file) + "中找不到列 " + column + "。"};
}

CatalogueError typeNotFirst(const std::string& file)
{
    return {kItemNotFound, inTable(file) + "的第一列必须是 TYPE（磁芯型号）。"};
}

CatalogueError tooFewColumns(const std::string& file, std::size_t columns)
{
    return {kItemNotFound, inTable(file) + "只有 " + std::to_string(columns)
                               + " 列；至少需要 8 列（第 1 列为型号 TYPE，第 3 到第 8 列为尺寸 A 到 F）。"};
}

CatalogueError emptyTable(const std::string& file)
{
    return {kNoCurrentRecord, inTable(file) + "中没有任何记录（没有当前记录）。"};
}

CatalogueError nullType(const std::string& file, std::size_t tableRow)
{
    return {kInvalidUseOfNull,
            inTable(file) + "第 " + std::to_string(tableRow) + " 条记录的型号 TYPE 为空（无效使用 Null）。"};
}

CatalogueError tooFewModels(const std::string& file, std::size_t rows, std::size_t minimum)
{
    return {kInvalidPropertyValue, inTable(file) + "只有 " + std::to_string(rows) + " 个磁芯型号，至少需要 "
                                       + std::to_string(minimum) + " 个（无效的属性值）。"};
}

CatalogueError nullCoreArea(const std::string& file, const std::string& model)
{
    return {kInvalidUseOfNull, inTable(file) + "中" + modelText(model) + "的 Co_Ae 为空（无效使用 Null）。"};
}

CatalogueError coreAreaNotNumber(const std::string& file, const std::string& model, const std::string& text)
{
    return {kTypeMismatch,
            inTable(file) + "中" + modelText(model) + "的 Co_Ae 值" + quoted(text) + "不是数字（类型不匹配）。"};
}

CatalogueError coreAreaOverflow(const std::string& file, const std::string& model)
{
    return {kOverflow, inTable(file) + "中" + modelText(model) + "的 Co_Ae 值超出单精度数的范围（溢出）。"};
}

CatalogueError noCurrentRecord(const std::string& file)
{
    return {kNoCurrentRecord, "磁芯数据库" + quoted(file) + "的记录集没有当前记录。"};
}

CatalogueError unknownField(const std::string& file, const std::string& field)
{
    return {kItemNotFound, inTable(file) + "中没有字段 " + field + "（此集合中找不到该项）。"};
}

} // namespace lout::catalogue_errors
