#include "jet/page_layout.h"

#include <algorithm>
#include <stdexcept>

namespace lout::jet {

namespace {

std::size_t dataHeaderSize(Version v) { return v == Version::Jet3 ? 10 : 14; }
std::size_t rowCountOffset(Version v) { return v == Version::Jet3 ? 8 : 12; }
std::size_t minimumBitmapBytes(Version v) { return v == Version::Jet3 ? 128 : 64; }

// Jet 3 rows keep one-byte offsets; each 256-byte boundary crossed by the
// row gets an entry in a jump table naming the first offset beyond it.
Bytes jet3Trailer(std::size_t varEnd, const std::vector<std::size_t>& offsets, std::size_t maskBytes,
                  std::size_t& jumpCount)
{
    const std::size_t nvar = offsets.size() - 1; // last entry is the end of the data
    jumpCount = 0;
    for (;;) {
        const std::size_t rowLength = varEnd + offsets.size() + jumpCount + 1 + maskBytes;
        const std::size_t needed = (rowLength - 1) / 256;
        if (needed == jumpCount)
            break;
        jumpCount = needed;
    }
    Bytes trailer;
    // Offsets from the last (end of data) down to the first.
    for (std::size_t i = offsets.size(); i-- > 0;)
        trailer.push_back(static_cast<std::uint8_t>(offsets[i] & 0xFFu));
    // Jump entries, the last segment first (the first entry sits next to nvar).
    for (std::size_t j = jumpCount; j-- > 0;) {
        std::uint8_t entry = 0xFF;
        for (std::size_t i = 0; i < offsets.size(); ++i)
            if (offsets[i] >= 256 * (j + 1)) {
                entry = static_cast<std::uint8_t>(i);
                break;
            }
        trailer.push_back(entry);
    }
    trailer.push_back(static_cast<std::uint8_t>(nvar));
    return trailer;
}

} // namespace

void assignColumnPlaces(std::vector<ColumnDef>& columns)
{
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
    for (auto& c : columns) {
        if (c.fixed) {
            c.fixedOffset = fixedOffset;
            c.varBefore = varIndex;
            fixedOffset = static_cast<std::uint16_t>(fixedOffset + c.size);
        } else {
            c.varIndex = varIndex++;
        }
    }
}

Bytes encodeRow(Version v, const std::vector<ColumnDef>& columns, const std::vector<Cell>& cells)
{
    const bool jet3 = v == Version::Jet3;
    const std::size_t countBytes = jet3 ? 1 : 2;
    std::size_t fixedLength = 0;
    std::size_t nvar = 0;
    for (const auto& c : columns) {
        if (c.fixed)
            fixedLength = std::max<std::size_t>(fixedLength, c.fixedOffset + c.size);
        else
            ++nvar;
    }
    const std::size_t maskBytes = (columns.size() + 7) / 8;

    Bytes row(countBytes + fixedLength, 0);
    if (jet3)
        putU8(row, 0, static_cast<unsigned>(columns.size()));
    else
        putU16(row, 0, static_cast<unsigned>(columns.size()));
    Bytes mask(maskBytes, 0);
    std::vector<std::size_t> offsets(nvar + 1, 0);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnDef& c = columns[i];
        const Cell& cell = cells[i];
        if (cell)
            mask[i / 8] = static_cast<std::uint8_t>(mask[i / 8] | (1u << (i % 8)));
        if (c.fixed) {
            // A null fixed value still keeps its bytes (zeros).
            if (cell) {
                if (cell->size() != c.size)
                    throw std::runtime_error("fixed value of the wrong size");
                std::copy(cell->begin(), cell->end(), row.begin() + static_cast<std::ptrdiff_t>(countBytes + c.fixedOffset));
            }
        }
    }
    // Variable values follow in variable-index order, which is column order.
    std::size_t v2 = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].fixed)
            continue;
        offsets[v2++] = row.size();
        if (cells[i])
            row.insert(row.end(), cells[i]->begin(), cells[i]->end());
    }
    offsets[nvar] = row.size();

    if (nvar > 0) {
        if (jet3) {
            std::size_t jumps = 0;
            const Bytes trailer = jet3Trailer(row.size(), offsets, maskBytes, jumps);
            row.insert(row.end(), trailer.begin(), trailer.end());
        } else {
            for (std::size_t i = offsets.size(); i-- > 0;) {
                if (offsets[i] > 0xFFFF)
                    throw std::runtime_error("row too long");
                appendU16(row, static_cast<unsigned>(offsets[i]));
            }
            appendU16(row, static_cast<unsigned>(nvar));
        }
    }
    row.insert(row.end(), mask.begin(), mask.end());
    return row;
}

std::size_t rowSpaceOfPage(Version v, std::size_t rows)
{
    return pageSizeOf(v) - dataHeaderSize(v) - 2 * rows;
}

Bytes dataPage(Version v, std::uint32_t owner, const std::vector<StoredRow>& rows)
{
    const std::size_t size = pageSizeOf(v);
    Bytes page(size, 0);
    page[0] = 0x01;
    page[1] = 0x01;
    putU32(page, 4, owner);
    const std::size_t countAt = rowCountOffset(v);
    putU16(page, countAt, static_cast<unsigned>(rows.size()));
    std::size_t end = size;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Bytes& bytes = rows[i].bytes;
        if (bytes.size() > end)
            throw std::runtime_error("data page overflow");
        const std::size_t start = end - bytes.size();
        std::copy(bytes.begin(), bytes.end(), page.begin() + static_cast<std::ptrdiff_t>(start));
        putU16(page, countAt + 2 + 2 * i, static_cast<unsigned>(start | (rows[i].deleted ? kDeletedRowFlags : 0u)));
        end = start;
    }
    const std::size_t used = countAt + 2 + 2 * rows.size();
    if (end < used)
        throw std::runtime_error("data page overflow");
    putU16(page, 2, static_cast<unsigned>(end - used));
    return page;
}

std::vector<Bytes> packDataPages(Version v, std::uint32_t tdefPage, const std::vector<StoredRow>& rows)
{
    const std::size_t size = pageSizeOf(v);
    const std::size_t header = dataHeaderSize(v);
    std::vector<Bytes> pages;
    std::vector<StoredRow> current;
    std::size_t used = header;
    for (const StoredRow& row : rows) {
        if (row.bytes.empty() || header + 2 + row.bytes.size() > size)
            throw std::runtime_error("row too long for a page");
        if (used + 2 + row.bytes.size() > size || current.size() == 255) {
            pages.push_back(dataPage(v, tdefPage, current));
            current.clear();
            used = header;
        }
        current.push_back(row);
        used += 2 + row.bytes.size();
    }
    if (!current.empty())
        pages.push_back(dataPage(v, tdefPage, current));
    return pages;
}

Bytes usageMapRow(Version v, const std::vector<std::uint32_t>& pages, std::size_t pageCount)
{
    const std::size_t bitmapBytes = std::max(minimumBitmapBytes(v), (pageCount + 7) / 8);
    Bytes row(5 + bitmapBytes, 0);
    row[0] = 0x00;      // inline bitmap
    putU32(row, 1, 0); // first page the bitmap covers
    for (const std::uint32_t page : pages)
        row[5 + page / 8] = static_cast<std::uint8_t>(row[5 + page / 8] | (1u << (page % 8)));
    return row;
}

Bytes tdefPage(Version v, const TableDef& table, std::uint32_t ownedMap, std::uint32_t freeMap)
{
    const bool jet3 = v == Version::Jet3;
    const std::size_t size = pageSizeOf(v);
    std::size_t nvar = 0;
    for (const auto& c : table.columns)
        nvar += c.fixed ? 0 : 1;
    const auto ncols = static_cast<unsigned>(table.columns.size());

    Bytes def(jet3 ? 43 : 63, 0);
    def[0] = 0x02;
    def[1] = 0x01;
    const std::uint8_t tableType = table.system ? 0x53 : 0x4E;
    const auto rowCount = static_cast<std::uint32_t>(
        table.rows.size() - static_cast<std::size_t>(std::count(table.deleted.begin(), table.deleted.end(), true)));
    // Jet 4 puts 20 bytes more before the table type than Jet 3 does.
    const std::size_t shift = jet3 ? 0 : 20;
    if (jet3) {
        def[2] = 'V';
        def[3] = 'C';
        putU32(def, 12, rowCount);
    } else {
        putU32(def, 12, 1625);
        putU32(def, 16, rowCount);
        putU32(def, 20, table.nextAutoNumber);
        def[24] = 0x01;
    }
    def[20 + shift] = tableType;
    putU16(def, 21 + shift, ncols);
    putU16(def, 23 + shift, static_cast<unsigned>(nvar));
    putU16(def, 25 + shift, ncols);
    putU32(def, 35 + shift, ownedMap);
    putU32(def, 39 + shift, freeMap);

    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDef& c = table.columns[i];
        const bool text = c.type == kText;
        const std::uint8_t flags = static_cast<std::uint8_t>((c.fixed ? 0x03 : 0x02) | (c.autoNumber ? 0x04 : 0x00));
        const unsigned place = c.fixed ? c.varBefore : c.varIndex;
        if (jet3) {
            Bytes d(18, 0);
            d[0] = c.type;
            putU16(d, 1, static_cast<unsigned>(i));
            putU16(d, 3, place);
            putU16(d, 5, static_cast<unsigned>(i));
            if (text) {
                putU16(d, 7, 0x0409);
                putU16(d, 9, c.codePage);
            }
            d[13] = flags;
            putU16(d, 14, c.fixed ? c.fixedOffset : 0u);
            putU16(d, 16, c.size);
            def.insert(def.end(), d.begin(), d.end());
        } else {
            Bytes d(25, 0);
            d[0] = c.type;
            putU32(d, 1, 1625);
            putU16(d, 5, static_cast<unsigned>(i));
            putU16(d, 7, place);
            putU16(d, 9, static_cast<unsigned>(i));
            if (text || c.type == kMemo)
                putU32(d, 11, 0x0409);
            d[15] = flags;
            d[16] = text || c.type == kMemo ? 0x01 : 0x00; // compression allowed
            putU16(d, 21, c.fixed ? c.fixedOffset : 0u);
            putU16(d, 23, c.size);
            def.insert(def.end(), d.begin(), d.end());
        }
    }
    for (const auto& c : table.columns) {
        if (jet3) {
            if (c.encodedName.size() > 255)
                throw std::runtime_error("column name too long");
            def.push_back(static_cast<std::uint8_t>(c.encodedName.size()));
        } else {
            appendU16(def, static_cast<unsigned>(c.encodedName.size()));
        }
        def.insert(def.end(), c.encodedName.begin(), c.encodedName.end());
    }
    if (!jet3) {
        def.push_back(0xFF);
        def.push_back(0xFF);
    }
    if (def.size() > size)
        throw std::runtime_error("table definition does not fit on one page");
    putU32(def, 8, static_cast<std::uint32_t>(def.size()));
    if (!jet3)
        putU16(def, 2, static_cast<unsigned>(size - def.size() - 8 > 0xFFFF ? 0 : size - def.size() - 8));
    def.resize(size, 0);
    return def;
}

} // namespace lout::jet
