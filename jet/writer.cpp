#include "jet/writer.h"

#include "jet/page_layout.h"
#include "jet/text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace lout {

namespace {

using jet::Bytes;
using jet::Cell;
using jet::ColumnDef;
using jet::TableDef;
using jet::Version;

constexpr double kCreationDate = 45292.0; // 2024-01-01 as an OLE date: files are reproducible
constexpr std::size_t kMaxTextChars = 255;
constexpr std::size_t kMaxMemoChars = 65535;
constexpr std::size_t kMaxNameChars = 64;
// Memo text up to this many bytes stays in its row; beyond it goes to
// long-value rows of at most kLongValueChunk bytes each.
constexpr std::size_t kInlineMemoBytes = 64;
constexpr std::size_t kLongValueChunk = 2000;
constexpr std::uint32_t kMemoInline = 0x80000000u;
constexpr std::uint32_t kMemoOneRow = 0x40000000u;

// How text is stored in one file version.
struct TextCodec {
    Version version;
    std::string charset;    // Jet 3 only
    std::uint16_t codePage; // written into the header

    Bytes name(const std::string& utf8, const char* what) const
    {
        const auto units = jet::utf8ToUtf16(utf8);
        if (!units || units->empty() || units->size() > kMaxNameChars)
            throw std::runtime_error(std::string(what) + " name is empty, too long or not UTF-8: " + utf8);
        if (version == Version::Jet4) {
            Bytes out;
            for (const char16_t u : *units)
                jet::appendU16(out, u);
            return out;
        }
        auto bytes = jet::encodeCodePageText(utf8, charset);
        if (!bytes)
            throw std::runtime_error(std::string(what) + " name cannot be written in code page "
                                     + std::to_string(codePage) + ": " + utf8);
        return *bytes;
    }

    Bytes text(const std::string& utf8) const
    {
        const auto units = jet::utf8ToUtf16(utf8);
        if (!units)
            throw std::runtime_error("text is not valid UTF-8");
        if (version == Version::Jet4) {
            if (units->size() > kMaxTextChars)
                throw std::runtime_error("text longer than 255 characters: " + utf8);
            auto bytes = jet::encodeJet4Text(*units);
            if (!bytes)
                throw std::runtime_error("text starting with U+FEFF cannot be stored");
            return *bytes;
        }
        auto bytes = jet::encodeCodePageText(utf8, charset);
        if (!bytes)
            throw std::runtime_error("text cannot be written in code page " + std::to_string(codePage) + ": " + utf8);
        if (bytes->size() > kMaxTextChars)
            throw std::runtime_error("text longer than 255 bytes: " + utf8);
        return *bytes;
    }

    Bytes memo(const std::string& utf8) const
    {
        const auto units = jet::utf8ToUtf16(utf8);
        if (!units || units->size() > kMaxMemoChars)
            throw std::runtime_error("memo text is not UTF-8 or longer than 65535 characters");
        auto bytes = version == Version::Jet4 ? jet::encodeJet4Text(*units) : jet::encodeCodePageText(utf8, charset);
        if (!bytes)
            throw std::runtime_error("memo text cannot be stored: " + utf8.substr(0, 40));
        return *bytes;
    }

    std::uint16_t textSize() const { return version == Version::Jet4 ? 510 : 255; }
};

// Long-value pages as they fill, handing out the pointer (page << 8 | row)
// of every row put on them.
class LongValuePages {
public:
    LongValuePages(Version v, std::uint32_t firstPage) : version_(v), firstPage_(firstPage) {}

    std::uint32_t add(Bytes row)
    {
        if (pages_.empty() || pages_.back().size() == 255
            || used_ + row.size() > jet::rowSpaceOfPage(version_, pages_.back().size() + 1)) {
            pages_.emplace_back();
            used_ = 0;
        }
        used_ += row.size();
        pages_.back().push_back({std::move(row), false});
        return ((firstPage_ + static_cast<std::uint32_t>(pages_.size() - 1)) << 8)
            | static_cast<std::uint32_t>(pages_.back().size() - 1);
    }

    std::vector<Bytes> pages() const
    {
        std::vector<Bytes> out;
        for (const auto& rows : pages_)
            out.push_back(jet::dataPage(version_, jet::kLongValueOwner, rows));
        return out;
    }

private:
    Version version_;
    std::uint32_t firstPage_;
    std::vector<std::vector<jet::StoredRow>> pages_;
    std::size_t used_ = 0;
};

// The 12-byte memo field of a row (and the text itself when short), its
// text put on long-value pages otherwise.
Bytes memoField(const Bytes& text, LongValuePages& store)
{
    Bytes field;
    const auto length = static_cast<std::uint32_t>(text.size());
    if (text.size() <= kInlineMemoBytes) {
        jet::appendU32(field, length | kMemoInline);
        jet::appendU32(field, 0);
        jet::appendU32(field, 0);
        field.insert(field.end(), text.begin(), text.end());
    } else if (text.size() <= kLongValueChunk) {
        jet::appendU32(field, length | kMemoOneRow);
        jet::appendU32(field, store.add(text));
        jet::appendU32(field, 0);
    } else {
        // A chain: each row starts with the pointer to the next. Stored
        // from the last piece back, so every row knows its successor.
        std::uint32_t next = 0;
        for (std::size_t end = text.size(); end > 0;) {
            const std::size_t start = (end - 1) / kLongValueChunk * kLongValueChunk;
            Bytes row;
            jet::appendU32(row, next);
            row.insert(row.end(), text.begin() + static_cast<std::ptrdiff_t>(start),
                       text.begin() + static_cast<std::ptrdiff_t>(end));
            next = store.add(std::move(row));
            end = start;
        }
        jet::appendU32(field, length);
        jet::appendU32(field, next);
        jet::appendU32(field, 0);
    }
    return field;
}

template <typename T>
Bytes rawBytes(T value)
{
    Bytes out(sizeof(T));
    std::memcpy(out.data(), &value, sizeof(T));
    return out;
}

Cell encodeValue(const TextCodec& codec, JetType type, const FieldValue& value, const std::string& column)
{
    if (isNull(value))
        return std::nullopt;
    const auto wrongKind = [&](const char* expected) {
        return std::runtime_error("column " + column + " expects " + expected);
    };
    switch (type) {
    case JetType::Text:
        if (const auto* s = std::get_if<std::string>(&value))
            return codec.text(*s);
        throw wrongKind("text");
    case JetType::Memo: // the text; placed in the row or on long-value pages later
        if (const auto* s = std::get_if<std::string>(&value))
            return codec.memo(*s);
        throw wrongKind("text");
    case JetType::Double:
        if (const auto* d = std::get_if<double>(&value))
            return rawBytes(*d);
        throw wrongKind("a number");
    case JetType::Single:
        if (const auto* d = std::get_if<double>(&value)) {
            const auto narrowed = static_cast<float>(*d);
            if (std::isinf(narrowed) && std::isfinite(*d))
                throw std::runtime_error("column " + column + ": value out of single-precision range");
            return rawBytes(narrowed);
        }
        throw wrongKind("a number");
    case JetType::Long:
    case JetType::AutoNumber:
        if (const auto* d = std::get_if<double>(&value)) {
            if (!(std::floor(*d) == *d && *d >= std::numeric_limits<std::int32_t>::min()
                  && *d <= std::numeric_limits<std::int32_t>::max()))
                throw std::runtime_error("column " + column + ": not a 32-bit whole number");
            return rawBytes(static_cast<std::int32_t>(*d));
        }
        throw wrongKind("a whole number");
    }
    throw wrongKind("a known type");
}

ColumnDef columnOf(const TextCodec& codec, const JetColumn& column)
{
    ColumnDef def;
    def.encodedName = codec.name(column.name, "column");
    switch (column.type) {
    case JetType::Text:
        def.type = jet::kText;
        def.size = codec.textSize();
        def.codePage = codec.codePage;
        break;
    case JetType::Double:
        def.type = jet::kDouble;
        def.size = 8;
        def.fixed = true;
        break;
    case JetType::Single:
        def.type = jet::kSingle;
        def.size = 4;
        def.fixed = true;
        break;
    case JetType::Long:
    case JetType::AutoNumber:
        def.type = jet::kLong;
        def.size = 4;
        def.fixed = true;
        def.autoNumber = column.type == JetType::AutoNumber;
        break;
    case JetType::Memo:
        def.type = jet::kMemo;
        def.codePage = codec.codePage;
        break;
    }
    return def;
}

TableDef userTable(const TextCodec& codec, const JetTable& table)
{
    if (table.columns.empty() || table.columns.size() > 255)
        throw std::runtime_error("a table needs 1 to 255 columns");
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        for (std::size_t k = 0; k < i; ++k)
            if (jet::sameNameIgnoringAsciiCase(table.columns[i].name, table.columns[k].name))
                throw std::runtime_error("duplicate column name: " + table.columns[i].name);
    TableDef def;
    def.encodedName = codec.name(table.name, "table");
    for (const auto& column : table.columns)
        def.columns.push_back(columnOf(codec, column));
    jet::assignColumnPlaces(def.columns);
    const auto addRow = [&](const std::vector<FieldValue>& row, bool deleted, const std::string& which) {
        if (row.size() != table.columns.size())
            throw std::runtime_error(which + " has " + std::to_string(row.size()) + " values for "
                                     + std::to_string(table.columns.size()) + " columns");
        std::vector<Cell> cells;
        cells.reserve(row.size());
        for (std::size_t c = 0; c < row.size(); ++c) {
            cells.push_back(encodeValue(codec, table.columns[c].type, row[c], table.columns[c].name));
            if (table.columns[c].type == JetType::AutoNumber && !isNull(row[c]))
                def.nextAutoNumber = std::max(def.nextAutoNumber, static_cast<std::uint32_t>(std::get<double>(row[c])) + 1);
        }
        def.rows.push_back(std::move(cells));
        def.deleted.push_back(deleted);
    };
    // Deleted rows are spread evenly among the live ones.
    const std::size_t live = table.rows.size();
    const std::size_t gone = table.deletedRows.size();
    std::size_t nextDeleted = 0;
    for (std::size_t r = 0; r <= live; ++r) {
        for (; nextDeleted < gone && nextDeleted * (live + 1) <= r * gone; ++nextDeleted)
            addRow(table.deletedRows[nextDeleted], true, "deleted row " + std::to_string(nextDeleted + 1));
        if (r < live)
            addRow(table.rows[r], false, "row " + std::to_string(r + 1));
    }
    return def;
}

// The system catalogue as Access lays it out, with one row per container,
// the database object, itself and the user table.
TableDef systemCatalogue(const TextCodec& codec, const Bytes& userTableName, std::uint32_t userTdefPage)
{
    struct SystemColumn {
        const char* name;
        std::uint8_t type;
        std::uint16_t size;
        bool fixed;
    };
    const std::uint16_t text = codec.textSize();
    const SystemColumn columns[] = {
        {"Id", jet::kLong, 4, true},          {"ParentId", jet::kLong, 4, true},
        {"Name", jet::kText, text, false},    {"Type", jet::kInteger, 2, true},
        {"DateCreate", jet::kDateTime, 8, true}, {"DateUpdate", jet::kDateTime, 8, true},
        {"Owner", jet::kBinary, text, false}, {"Flags", jet::kLong, 4, true},
        {"Database", jet::kMemo, 0, false},   {"Connect", jet::kMemo, 0, false},
        {"ForeignName", jet::kText, text, false}, {"RmtInfoShort", jet::kBinary, text, false},
        {"RmtInfoLong", jet::kOle, 0, false}, {"Lv", jet::kOle, 0, false},
        {"LvProp", jet::kOle, 0, false},      {"LvModule", jet::kOle, 0, false},
        {"LvExtra", jet::kOle, 0, false},
    };
    TableDef def;
    def.system = true;
    def.encodedName = codec.name("MSysObjects", "table");
    for (const SystemColumn& s : columns) {
        ColumnDef c;
        c.encodedName = codec.name(s.name, "column");
        c.type = s.type;
        c.size = s.size;
        c.fixed = s.fixed;
        c.codePage = s.type == jet::kText ? codec.codePage : 0;
        def.columns.push_back(std::move(c));
    }
    jet::assignColumnPlaces(def.columns);

    struct Object {
        std::uint32_t id;
        std::uint32_t parent;
        const char* name;
        std::int16_t type;
        std::uint32_t flags;
    };
    constexpr std::uint32_t kSystemFlag = 0x80000000u;
    const Object objects[] = {
        {0x0F000001u, 0x0F000000u, "Tables", 3, kSystemFlag},
        {0x0F000002u, 0x0F000000u, "Databases", 3, kSystemFlag},
        {0x0F000003u, 0x0F000000u, "Relationships", 3, kSystemFlag},
        {0x10000000u, 0x0F000002u, "MSysDb", 2, kSystemFlag},
        {2u, 0x0F000001u, "MSysObjects", 1, kSystemFlag},
        {userTdefPage, 0x0F000001u, nullptr, 1, 0},
    };
    for (const Object& o : objects) {
        std::vector<Cell> cells(def.columns.size());
        cells[0] = rawBytes(o.id);
        cells[1] = rawBytes(o.parent);
        // Object names stay plain UCS-2, as Access keeps them.
        cells[2] = o.name ? codec.name(o.name, "object") : userTableName;
        cells[3] = rawBytes(o.type);
        cells[4] = rawBytes(kCreationDate);
        cells[5] = rawBytes(kCreationDate);
        cells[7] = rawBytes(o.flags);
        def.rows.push_back(std::move(cells));
    }
    return def;
}

Bytes headerPage(Version v, std::uint16_t codePage)
{
    Bytes page(jet::pageSizeOf(v), 0);
    page[0] = 0x00;
    page[1] = 0x01;
    const char engine[] = "Standard Jet DB";
    std::copy(engine, engine + sizeof engine, page.begin() + 4);
    page[0x14] = v == Version::Jet3 ? 0x00 : 0x01;
    if (v == Version::Jet4) {
        const std::uint8_t constant[24] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
                                           0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
        std::copy(constant, constant + 24, page.begin() + 0x18);
        jet::putU16(page, 0x3C, codePage);
        jet::putU32(page, 0x3E, 0); // database key: pages are not enciphered
        // An empty password is stored as the mask made from the creation date.
        const auto mask = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::floor(kCreationDate)));
        for (std::size_t i = 0; i < 40; i += 4)
            jet::putU32(page, 0x42 + i, mask);
        jet::putU32(page, 0x6E, 0x0409);
        Bytes date;
        jet::appendRaw(date, kCreationDate);
        std::copy(date.begin(), date.end(), page.begin() + 0x72);
    } else {
        jet::putU16(page, 0x3A, 0x0409);
        jet::putU16(page, 0x3C, codePage);
        jet::putU32(page, 0x3E, 0);
    }
    jet::applyHeaderCipher(page, v);
    if (v == Version::Jet4) {
        const std::uint8_t tail[8] = {0x54, 0x06, 0x00, 0x00, 0x34, 0x2E, 0x30, 0x00};
        std::copy(tail, tail + 8, page.begin() + 0x98);
    }
    return page;
}

Bytes buildDatabase(const TextCodec& codec, const JetTable& table)
{
    const Version v = codec.version;
    const std::size_t pageSize = jet::pageSizeOf(v);
    constexpr std::uint32_t kSystemTdef = 2;
    constexpr std::uint32_t kUserTdef = 3;
    constexpr std::uint32_t kMapPage = 4;
    constexpr std::uint32_t kFirstData = 5;

    TableDef user = userTable(codec, table);
    const TableDef system = systemCatalogue(codec, user.encodedName, kUserTdef);

    const auto encodeAll = [&](const TableDef& t) {
        std::vector<jet::StoredRow> rows;
        rows.reserve(t.rows.size());
        for (std::size_t r = 0; r < t.rows.size(); ++r)
            rows.push_back({jet::encodeRow(v, t.columns, t.rows[r]), r < t.deleted.size() && t.deleted[r]});
        return rows;
    };
    const std::vector<Bytes> systemPages = jet::packDataPages(v, kSystemTdef, encodeAll(system));

    // Long-value pages come next, so that memo fields can name them.
    const auto longValuesAt = static_cast<std::uint32_t>(kFirstData + systemPages.size());
    LongValuePages longValues(v, longValuesAt);
    for (auto& cells : user.rows)
        for (std::size_t c = 0; c < cells.size(); ++c)
            if (user.columns[c].type == jet::kMemo && cells[c])
                cells[c] = memoField(*cells[c], longValues);
    const std::vector<Bytes> longValuePages = longValues.pages();
    const std::vector<Bytes> userPages = jet::packDataPages(v, kUserTdef, encodeAll(user));

    const std::size_t userFirst = longValuesAt + longValuePages.size();
    const std::size_t pageCount = userFirst + userPages.size();
    std::vector<std::uint32_t> systemOwned;
    std::vector<std::uint32_t> userOwned;
    for (std::size_t i = 0; i < systemPages.size(); ++i)
        systemOwned.push_back(static_cast<std::uint32_t>(kFirstData + i));
    for (std::size_t i = 0; i < userPages.size(); ++i)
        userOwned.push_back(static_cast<std::uint32_t>(userFirst + i));

    // Owned and free-space maps of both tables, rows 0-3 of the map page.
    const Bytes systemMap = jet::usageMapRow(v, systemOwned, pageCount);
    const Bytes userMap = jet::usageMapRow(v, userOwned, pageCount);
    const std::size_t mapHeader = v == Version::Jet3 ? 10 : 14;
    if (mapHeader + 4 * (2 + systemMap.size()) + 2 * userMap.size() > pageSize)
        throw std::runtime_error("table too large for this writer");
    const Bytes mapPage = jet::dataPage(v, 0, {{systemMap}, {systemMap}, {userMap}, {userMap}});

    // Global map: every page at or beyond the end of the file is free.
    std::vector<std::uint32_t> beyond;
    const std::size_t globalBits = (v == Version::Jet3 ? 128 : 64) * 8;
    for (std::size_t p = pageCount; p < globalBits; ++p)
        beyond.push_back(static_cast<std::uint32_t>(p));
    Bytes globalRow = jet::usageMapRow(v, beyond, 0);
    Bytes emptyRow = jet::usageMapRow(v, {}, 0);
    const Bytes globalPage = jet::dataPage(v, 1, {{globalRow}, {emptyRow}});

    Bytes file;
    file.reserve(pageCount * pageSize);
    const auto append = [&](const Bytes& page) { file.insert(file.end(), page.begin(), page.end()); };
    append(headerPage(v, codec.codePage));
    append(globalPage);
    append(jet::tdefPage(v, system, (kMapPage << 8) | 0, (kMapPage << 8) | 1));
    append(jet::tdefPage(v, user, (kMapPage << 8) | 2, (kMapPage << 8) | 3));
    append(mapPage);
    for (const auto* pages : {&systemPages, &longValuePages, &userPages})
        for (const auto& p : *pages)
            append(p);
    return file;
}

void writeFileReplacing(const std::filesystem::path& file, const Bytes& bytes)
{
    std::filesystem::path temporary = file;
    temporary += ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            throw std::runtime_error("cannot create " + temporary.string());
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw std::runtime_error("cannot replace " + file.string());
    }
}

} // namespace

std::vector<std::uint8_t> jet4DatabaseBytes(const JetTable& table)
{
    const TextCodec codec{Version::Jet4, {}, 1252};
    return buildDatabase(codec, table);
}

void writeJet4Database(const std::filesystem::path& file, const JetTable& table)
{
    writeFileReplacing(file, jet4DatabaseBytes(table));
}

void writeJet3Database(const std::filesystem::path& file, const JetTable& table, std::uint16_t codePage)
{
    const TextCodec codec{Version::Jet3, jet::charsetOfCodePage(codePage), codePage};
    if (!jet::charsetUsable(codec.charset))
        throw std::runtime_error("code page " + std::to_string(codePage) + " is not available");
    writeFileReplacing(file, buildDatabase(codec, table));
}

} // namespace lout
