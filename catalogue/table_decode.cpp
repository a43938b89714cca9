#include "catalogue/table_decode.h"

#include "jet/bytes.h"
#include "jet/text.h"

#include <cstdlib>
#include <cstring>
#include <span>

namespace lout::jet {

namespace {

enum : std::uint8_t {
    kBool = 0x01, kByte = 0x02, kInteger = 0x03, kLong = 0x04, kMoney = 0x05, kSingle = 0x06,
    kDouble = 0x07, kDateTime = 0x08, kText = 0x0A, kGuid = 0x0F, kNumeric = 0x10,
};

template <typename T>
T loadAs(const std::string& bytes)
{
    T value;
    std::memcpy(&value, bytes.data(), sizeof(T));
    return value;
}

std::size_t fixedSizeOf(std::uint8_t type)
{
    switch (type) {
    case kByte: return 1;
    case kInteger: return 2;
    case kLong: case kSingle: return 4;
    case kMoney: case kDouble: case kDateTime: return 8;
    case kGuid: return 16;
    default: return 0;
    }
}

// A replication id as Access shows it: {8-4-4-4-12} hexadecimal digits,
// the first three groups stored little-endian.
std::string guidText(const std::string& bytes)
{
    static constexpr std::size_t order[] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "{";
    for (std::size_t i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.push_back('-');
        const auto byte = static_cast<std::uint8_t>(bytes[order[i]]);
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0xF]);
    }
    return text + "}";
}

FieldValue decodeBytes(const std::string& bytes, std::uint8_t type, Version version, const std::string& charset)
{
    if (type == kText) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        const std::span<const std::uint8_t> span(data, bytes.size());
        return version == Version::Jet4 ? decodeJet4Text(span) : decodeCodePageText(span, charset);
    }
    if (bytes.size() != fixedSizeOf(type))
        throw std::runtime_error("value of the wrong size");
    switch (type) {
    case kByte: return static_cast<double>(static_cast<std::uint8_t>(bytes[0]));
    case kInteger: return static_cast<double>(loadAs<std::int16_t>(bytes));
    case kLong: return static_cast<double>(loadAs<std::int32_t>(bytes));
    case kMoney: return static_cast<double>(loadAs<std::int64_t>(bytes)) / 10000.0;
    case kSingle: return static_cast<double>(loadAs<float>(bytes));
    case kDouble: case kDateTime: return loadAs<double>(bytes);
    case kGuid: return guidText(bytes);
    default: throw std::runtime_error("unexpected stored value");
    }
}

FieldValue decodeCell(const RawCell& cell, std::uint8_t type, Version version, const std::string& charset)
{
    if (type == kBool) // Access's yes/no: -1 for yes, 0 for no
        return cell.kind == RawCell::Kind::Null ? 0.0 : -1.0;
    switch (cell.kind) {
    case RawCell::Kind::Null:
        return std::monostate{};
    case RawCell::Kind::Text:
        if (!utf8ToUtf16(cell.data))
            throw std::runtime_error("text that is not UTF-8");
        if (type == kNumeric)
            if (const auto number = numericValue(cell.data))
                return *number;
        return cell.data;
    case RawCell::Kind::Stored:
        return decodeBytes(cell.data, type, version, charset);
    }
    throw std::runtime_error("unknown cell");
}

} // namespace

DecodedTable decodeTable(const RawTable& raw, Version version, const std::string& jet3Charset)
{
    DecodedTable table;
    for (const auto& column : raw.columns) {
        if (!utf8ToUtf16(column.name))
            throw std::runtime_error("column name that is not UTF-8");
        table.columns.push_back(column.name);
        table.columnTypes.push_back(column.type);
    }
    table.rows.reserve(raw.rows.size());
    for (const auto& rawRow : raw.rows) {
        if (rawRow.size() != raw.columns.size())
            throw std::runtime_error("row of the wrong width");
        std::vector<FieldValue> row;
        row.reserve(rawRow.size());
        for (std::size_t c = 0; c < rawRow.size(); ++c)
            row.push_back(decodeCell(rawRow[c], raw.columns[c].type, version, jet3Charset));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string jet3CharsetFor(std::uint16_t headerCodePage)
{
    if (const char* chosen = std::getenv("MDB_JET3_CHARSET"); chosen && charsetUsable(chosen))
        return chosen;
    const std::string own = charsetOfCodePage(headerCodePage);
    return charsetUsable(own) ? own : "CP1252";
}

} // namespace lout::jet
