#include "catalogue/jet_precheck.h"

#include <set>
#include <vector>

namespace lout::jet {

namespace {

constexpr std::uint8_t kDataPage = 0x01;
constexpr std::uint8_t kTdefPage = 0x02;
constexpr std::size_t kMaxRowsPerPage = 1000; // beyond this libmdb refuses rows anyway
constexpr unsigned kMaxColumns = 255;
constexpr std::uint32_t kMaxIndexes = 1000;

struct Geometry {
    Version version;
    std::size_t pageSize;
    std::size_t pageCount;
    std::size_t rowCountAt;     // on data pages
    std::size_t tdefColumnsAt;  // column count
    std::size_t tdefVarColumnsAt;
    std::size_t tdefRealIndexesAt;
    std::size_t tdefIndexesAt;
    std::size_t tdefOwnedMapAt;
    std::size_t tdefFreeMapAt;
    std::size_t tdefColumnsStart;
    std::size_t indexEntrySize;
    std::size_t columnEntrySize;
};

Geometry geometryOf(Version v, std::size_t fileSize)
{
    const bool jet3 = v == Version::Jet3;
    const std::size_t pageSize = pageSizeOf(v);
    return Geometry{v,
                    pageSize,
                    fileSize / pageSize,
                    jet3 ? 8u : 12u,
                    jet3 ? 25u : 45u,
                    jet3 ? 23u : 43u,
                    jet3 ? 31u : 51u,
                    jet3 ? 27u : 47u,
                    jet3 ? 35u : 55u,
                    jet3 ? 39u : 59u,
                    jet3 ? 43u : 63u,
                    jet3 ? 8u : 12u,
                    jet3 ? 18u : 25u};
}

std::span<const std::uint8_t> pageOf(std::span<const std::uint8_t> file, const Geometry& g, std::size_t n)
{
    return file.subspan(n * g.pageSize, g.pageSize);
}

std::string pageText(std::size_t n) { return "第 " + std::to_string(n) + " 页"; }

// Row offsets of a data page: the count fits, every offset lies inside the
// page after the offset table, and the owning table's page exists.
std::optional<std::string> checkDataPage(std::span<const std::uint8_t> page, const Geometry& g, std::size_t n)
{
    const std::size_t rows = readU16(page, g.rowCountAt);
    const std::size_t tableEnd = g.rowCountAt + 2 + 2 * rows;
    if (rows > kMaxRowsPerPage || tableEnd > g.pageSize)
        return pageText(n) + "的记录数不合理";
    if (readU32(page, 4) >= g.pageCount)
        return pageText(n) + "指向不存在的表定义页";
    for (std::size_t i = 0; i < rows; ++i) {
        const std::size_t offset = readU16(page, g.rowCountAt + 2 + 2 * i) & 0x1FFFu;
        if (offset < tableEnd || offset >= g.pageSize)
            return pageText(n) + "的记录位置超出页面";
    }
    return std::nullopt;
}

// The length of row `row` on data page `n`, as libmdb computes it; nothing
// when the page or row does not exist.
std::optional<std::size_t> rowLength(std::span<const std::uint8_t> file, const Geometry& g, std::uint32_t pointer)
{
    const std::size_t n = pointer >> 8;
    const std::size_t row = pointer & 0xFFu;
    if (n == 0 || n >= g.pageCount)
        return std::nullopt;
    const auto page = pageOf(file, g, n);
    if (page[0] != kDataPage || row >= readU16(page, g.rowCountAt))
        return std::nullopt;
    const std::size_t start = readU16(page, g.rowCountAt + 2 + 2 * row) & 0x1FFFu;
    const std::size_t end = row == 0 ? g.pageSize : (readU16(page, g.rowCountAt + 2 * row) & 0x1FFFu);
    if (start >= end)
        return std::nullopt;
    return end - start;
}

// The chain of definition pages from page `n` ends without a loop; pages
// already known to lead to an end are not walked again.
std::optional<std::string> checkChain(std::span<const std::uint8_t> file, const Geometry& g, std::size_t n,
                                      std::set<std::size_t>& chainEnds)
{
    std::vector<std::size_t> walked;
    std::set<std::size_t> seen;
    for (std::size_t at = n; at != 0 && !chainEnds.count(at);) {
        if (at >= g.pageCount || !seen.insert(at).second)
            return pageText(n) + "的表定义续页无效";
        const auto page = pageOf(file, g, at);
        if (page[0] != kTdefPage)
            return pageText(n) + "的表定义续页类型不对";
        walked.push_back(at);
        at = readU32(page, 4);
    }
    chainEnds.insert(walked.begin(), walked.end());
    return std::nullopt;
}

// A table definition starting on page `n`: its chain of continuation pages
// ends, and the counts and map pointers it holds make sense.
std::optional<std::string> checkTdef(std::span<const std::uint8_t> file, const Geometry& g, std::size_t n,
                                     bool checkMaps)
{
    const auto page = pageOf(file, g, n);
    std::size_t chainLength = 1;
    std::set<std::size_t> seen{n};
    for (std::size_t next = readU32(page, 4); next != 0;) {
        if (next >= g.pageCount || !seen.insert(next).second)
            return pageText(n) + "的表定义续页无效";
        const auto more = pageOf(file, g, next);
        if (more[0] != kTdefPage)
            return pageText(n) + "的表定义续页类型不对";
        ++chainLength;
        next = readU32(more, 4);
    }
    const unsigned columns = readU16(page, g.tdefColumnsAt);
    const unsigned varColumns = readU16(page, g.tdefVarColumnsAt);
    const std::uint32_t realIndexes = readU32(page, g.tdefRealIndexesAt);
    const std::uint32_t indexes = readU32(page, g.tdefIndexesAt);
    if (columns > kMaxColumns || varColumns > columns || realIndexes > kMaxIndexes || indexes > kMaxIndexes)
        return pageText(n) + "的表定义中列数或索引数不合理";
    const std::size_t available = g.pageSize + (chainLength - 1) * (g.pageSize - 8);
    const std::size_t needed = g.tdefColumnsStart + realIndexes * g.indexEntrySize + columns * g.columnEntrySize;
    if (needed > available)
        return pageText(n) + "的表定义超出页面";
    for (const std::size_t at : {g.tdefOwnedMapAt, g.tdefFreeMapAt}) {
        if (!checkMaps)
            break;
        const auto length = rowLength(file, g, readU32(page, at));
        if (!length || *length < 5)
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
    const Geometry g = geometryOf(header->version, file.size());
    if (tdefPage == 0 || tdefPage >= g.pageCount || pageOf(file, g, tdefPage)[0] != kTdefPage)
        return pageText(tdefPage) + "不是表定义页";
    std::set<std::size_t> chainEnds;
    if (auto fault = checkChain(file, g, tdefPage, chainEnds))
        return fault;
    return checkTdef(file, g, tdefPage, true);
}

PrecheckResult precheckJetFile(std::span<const std::uint8_t> file)
{
    const auto header = readHeader(file);
    if (!header)
        return {std::nullopt, "文件头不是 Access（Jet）数据库的文件头"};
    if (header->databaseKey != 0)
        return {std::nullopt, "数据库已加密，无法读取"};
    const Geometry g = geometryOf(header->version, file.size());
    if (file.size() > kMaxDatabaseBytes)
        return {std::nullopt, "文件过大"};
    if (file.size() % g.pageSize != 0 || g.pageCount < 3)
        return {std::nullopt, "文件长度不是完整的页数，文件可能被截断或已损坏"};
    if (g.pageCount > (std::size_t{1} << 24))
        return {std::nullopt, "文件页数过多"};
    if (pageOf(file, g, 2)[0] != kTdefPage)
        return {std::nullopt, "找不到系统表 MSysObjects 的定义"};

    std::set<std::size_t> continuations;
    std::vector<std::size_t> tdefs;
    std::set<std::size_t> chainEnds; // definition pages whose chain is known to end
    for (std::size_t n = 1; n < g.pageCount; ++n) {
        const auto page = pageOf(file, g, n);
        if (page[0] == kDataPage) {
            if (auto fault = checkDataPage(page, g, n))
                return {std::nullopt, *fault};
        } else if (page[0] == kTdefPage) {
            tdefs.push_back(n);
            if (const std::uint32_t next = readU32(page, 4); next != 0)
                continuations.insert(next);
            if (auto fault = checkChain(file, g, n, chainEnds))
                return {std::nullopt, *fault};
        }
    }
    // Continuation pages carry no header of their own, so only the first
    // page of each definition is checked. The system catalogue is read
    // first of all and must be sound throughout; a definition left behind
    // by a deleted table may point at pages since reused, so for the others
    // only what lies on the page itself is checked.
    if (auto fault = checkTdef(file, g, 2, true))
        return {std::nullopt, *fault};
    for (const std::size_t n : tdefs) {
        if (n == 2 || continuations.count(n))
            continue;
        if (auto fault = checkTdef(file, g, n, false))
            return {std::nullopt, *fault};
    }
    return {header, {}};
}

} // namespace lout::jet
