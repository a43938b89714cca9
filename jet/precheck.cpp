#include "jet/precheck.h"

#include <set>

namespace lout::jet {

namespace {

constexpr std::uint8_t kDataPage = 0x01;
constexpr std::uint8_t kDefinitionPage = 0x02;
constexpr std::uint32_t kSystemCatalogueDefinition = 2;
constexpr unsigned kMaxColumns = 255;       // Access's limit per table
constexpr std::size_t kRowOffsetMask = 0x1FFF; // the high bits of a row offset are flags
constexpr std::size_t kMinimumUsageMap = 5;    // type byte and first page (or first map page)

// Where the fields a reader follows lie on Jet 3 and Jet 4 pages.
struct Layout {
    std::size_t pageSize;
    std::size_t pageCount;
    std::size_t rowCountAt;        // data and long-value pages
    std::size_t columnsAt;         // table definitions from here on
    std::size_t realIndexesAt;
    std::size_t ownedMapAt;
    std::size_t freeMapAt;
    std::size_t entriesStart;      // first index or column entry
    std::size_t realIndexEntrySize;
    std::size_t columnEntrySize;
};

Layout layoutOf(Version v, std::size_t fileSize)
{
    const std::size_t pageSize = pageSizeOf(v);
    if (v == Version::Jet3)
        return Layout{pageSize, fileSize / pageSize, 8, 25, 31, 35, 39, 43, 8, 18};
    return Layout{pageSize, fileSize / pageSize, 12, 45, 51, 55, 59, 63, 12, 25};
}

std::span<const std::uint8_t> pageOf(std::span<const std::uint8_t> file, const Layout& l, std::size_t n)
{
    return file.subspan(n * l.pageSize, l.pageSize);
}

std::string pageText(std::size_t n) { return "第 " + std::to_string(n) + " 页"; }

// A data or long-value page: the offset table fits on the page, and every
// row lies between the end of that table and the start of the row before
// it (the page end for row 0). Rows are packed downwards from the page end;
// a deleted row keeps its slot with no bytes, so a length of 0 is allowed.
std::optional<std::string> checkRowTable(std::span<const std::uint8_t> page, const Layout& l, std::size_t n)
{
    const std::size_t rows = readU16(page, l.rowCountAt);
    const std::size_t tableEnd = l.rowCountAt + 2 + 2 * rows;
    if (tableEnd > l.pageSize)
        return pageText(n) + "的记录数超出页面";
    std::size_t end = l.pageSize;
    for (std::size_t i = 0; i < rows; ++i) {
        const std::size_t start = readU16(page, l.rowCountAt + 2 + 2 * i) & kRowOffsetMask;
        if (start < tableEnd || start > end)
            return pageText(n) + "的记录位置超出页面";
        end = start;
    }
    return std::nullopt;
}

// The length of the row a usage-map pointer (page << 8 | row) names;
// nothing when there is no such row.
std::optional<std::size_t> rowLength(std::span<const std::uint8_t> file, const Layout& l, std::uint32_t pointer)
{
    const std::size_t n = pointer >> 8;
    const std::size_t row = pointer & 0xFFu;
    if (n == 0 || n >= l.pageCount)
        return std::nullopt;
    const auto page = pageOf(file, l, n);
    if (page[0] != kDataPage || row >= readU16(page, l.rowCountAt))
        return std::nullopt;
    const std::size_t start = readU16(page, l.rowCountAt + 2 + 2 * row) & kRowOffsetMask;
    const std::size_t end = row == 0 ? l.pageSize : (readU16(page, l.rowCountAt + 2 * row) & kRowOffsetMask);
    if (start > end)
        return std::nullopt;
    return end - start;
}

// A definition the library reads: its continuation pages are definition
// pages of the file and the chain ends; its column and index entries fit
// in the pages it spans; both usage maps are rows long enough to read.
std::optional<std::string> checkDefinition(std::span<const std::uint8_t> file, const Layout& l, std::uint32_t n)
{
    if (n == 0 || n >= l.pageCount || pageOf(file, l, n)[0] != kDefinitionPage)
        return pageText(n) + "不是表定义页";
    const auto page = pageOf(file, l, n);
    std::size_t chainLength = 1;
    std::set<std::size_t> seen{n};
    for (std::size_t next = readU32(page, 4); next != 0; next = readU32(pageOf(file, l, next), 4)) {
        if (next >= l.pageCount || !seen.insert(next).second)
            return pageText(n) + "的表定义续页无效";
        if (pageOf(file, l, next)[0] != kDefinitionPage)
            return pageText(n) + "的表定义续页类型不对";
        ++chainLength;
    }
    const std::uint64_t columns = readU16(page, l.columnsAt);
    const std::uint64_t realIndexes = readU32(page, l.realIndexesAt);
    // The count of variable columns is left alone: after columns were
    // deleted Access keeps counting them there.
    if (columns > kMaxColumns)
        return pageText(n) + "的表定义中列数不合理";
    // Continuation pages repeat an 8-byte header before their share.
    const std::uint64_t available = l.pageSize + (chainLength - 1) * (l.pageSize - 8);
    const std::uint64_t needed = l.entriesStart + realIndexes * l.realIndexEntrySize + columns * l.columnEntrySize;
    if (needed > available)
        return pageText(n) + "的表定义超出页面";
    for (const std::size_t at : {l.ownedMapAt, l.freeMapAt}) {
        const auto length = rowLength(file, l, readU32(page, at));
        if (!length || *length < kMinimumUsageMap)
            return pageText(n) + "的表定义指向无效的页使用表";
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> checkTableDefinition(std::span<const std::uint8_t> file, std::uint32_t tdefPage)
{
    const auto header = readHeader(file);
    if (!header)
        return "文件头不是 Access（Jet）数据库的文件头";
    return checkDefinition(file, layoutOf(header->version, file.size()), tdefPage);
}

PrecheckResult precheckJetFile(std::span<const std::uint8_t> file)
{
    const auto header = readHeader(file);
    if (!header)
        return {std::nullopt, "文件头不是 Access（Jet）数据库的文件头"};
    if (header->databaseKey != 0)
        return {std::nullopt, header->versionByte >= kFirstAceVersion
                                  ? "这是 Access 2007 或更新版本用密码加密的数据库；请在 Access 中撤消数据库密码后再使用"
                                  : "数据库的页面已编码，无法读取"};
    if (file.size() > kMaxDatabaseBytes)
        return {std::nullopt, "文件过大"};
    const Layout l = layoutOf(header->version, file.size());
    if (file.size() % l.pageSize != 0 || l.pageCount <= kSystemCatalogueDefinition)
        return {std::nullopt, "文件长度不是完整的页数，文件可能被截断或已损坏"};
    if (pageOf(file, l, kSystemCatalogueDefinition)[0] != kDefinitionPage)
        return {std::nullopt, "找不到系统表 MSysObjects 的定义"};
    if (auto fault = checkDefinition(file, l, kSystemCatalogueDefinition))
        return {std::nullopt, "系统表 MSysObjects：" + *fault};
    for (std::size_t n = 1; n < l.pageCount; ++n) {
        const auto page = pageOf(file, l, n);
        if (page[0] == kDataPage)
            if (auto fault = checkRowTable(page, l, n))
                return {std::nullopt, *fault};
    }
    return {header, {}};
}

} // namespace lout::jet
