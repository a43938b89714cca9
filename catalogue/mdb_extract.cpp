#include "catalogue/mdb_extract.h"

#include "jet/precheck.h"

#include <mdbtools.h>

#include <memory>
#include <vector>

namespace lout::jet {

namespace {

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableCloser {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
struct GFree {
    void operator()(char* text) const { g_free(text); }
};

// Values whose stored bytes the parent decodes itself; everything else that
// carries a value is converted to text by the library.
bool sentAsBytes(int type)
{
    switch (type) {
    case MDB_BYTE: case MDB_INT: case MDB_LONGINT: case MDB_MONEY: case MDB_FLOAT: case MDB_DOUBLE:
    case MDB_DATETIME: case MDB_TEXT: case MDB_REPID:
        return true;
    default:
        return false;
    }
}

// Sends the row; false after reporting it damaged.
bool sendRow(MdbHandle* mdb, MdbTableDef* table, StreamWriter& out)
{
    // The row that mdb_fetch_row just read is on the current page, one
    // before the table's row cursor.
    int start = 0;
    std::size_t length = 0;
    if (table->cur_row == 0 || mdb_find_row(mdb, static_cast<int>(table->cur_row - 1), &start, &length) != 0) {
        out.failure(ReadFailure::Damaged, "row not found again");
        return false;
    }
    start &= 0x1FFF;
    const auto pageSize = static_cast<std::size_t>(mdb->fmt->pg_size);
    const std::size_t rowStart = static_cast<std::size_t>(start);
    if (length == 0 || rowStart + length > pageSize) {
        out.failure(ReadFailure::Damaged, "row outside its page");
        return false;
    }
    std::vector<MdbField> fields(table->num_cols);
    if (mdb_crack_row(table, start, length, fields.data()) < 0) {
        out.failure(ReadFailure::Damaged, "row cannot be split into fields");
        return false;
    }
    out.rowStart(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        const MdbField& field = fields[i];
        if (column->col_type == MDB_BOOL) {
            // A yes/no value lives in the null mask: set means yes.
            out.cell(field.is_null ? RawCell::Kind::Null : RawCell::Kind::Stored, {});
            continue;
        }
        if (field.is_null) {
            out.cell(RawCell::Kind::Null, {});
            continue;
        }
        const bool inside = field.siz >= 0 && field.start >= start
            && static_cast<std::size_t>(field.start) + static_cast<std::size_t>(field.siz) <= rowStart + length;
        if (!inside) {
            out.failure(ReadFailure::Damaged, "field outside its row");
            return false;
        }
        const char* bytes = reinterpret_cast<const char*>(mdb->pg_buf) + field.start;
        const auto size = static_cast<std::size_t>(field.siz);
        if (sentAsBytes(column->col_type)) {
            out.cell(RawCell::Kind::Stored, std::string_view(bytes, size));
        } else if (column->col_type == MDB_MEMO) {
            const std::unique_ptr<char, GFree> text(
                mdb_col_to_string(mdb, mdb->pg_buf, field.start, column->col_type, field.siz));
            out.cell(text ? RawCell::Kind::Text : RawCell::Kind::Null, text ? std::string_view(text.get()) : "");
        } else if (column->col_type == MDB_NUMERIC && size >= 17) {
            const std::unique_ptr<char, GFree> text(
                mdb_numeric_to_string(mdb, field.start, column->col_scale, column->col_prec));
            out.cell(text ? RawCell::Kind::Text : RawCell::Kind::Null, text ? std::string_view(text.get()) : "");
        } else {
            // Pictures and binary data are not values the catalogue uses.
            out.cell(RawCell::Kind::Null, {});
        }
    }
    return true;
}

} // namespace

void extractTable(std::span<std::uint8_t> file, const std::string& tableName, StreamWriter& out,
                  const std::function<void()>& onceOpen)
{
    // Opening reads the header page (checked by the parent) and opens the
    // character-set converters and the locale.
    const std::unique_ptr<MdbHandle, MdbCloser> mdb(mdb_open_buffer(file.data(), file.size(), MDB_NOFLAGS));
    onceOpen();
    if (!mdb) {
        out.failure(ReadFailure::NotADatabase, "header refused");
        out.end();
        return;
    }
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE) || mdb->num_catalog == 0) {
        out.failure(ReadFailure::NotADatabase, "system catalogue unreadable");
        out.end();
        return;
    }
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog && !entry; ++i) {
        auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(candidate) && g_ascii_strcasecmp(candidate->object_name, tableName.c_str()) == 0)
            entry = candidate;
    }
    if (!entry) {
        out.failure(ReadFailure::TableMissing, tableName);
        out.end();
        return;
    }
    // The catalogue names the definition page only now: check it and the
    // usage maps it points to before the library follows them.
    if (checkTableDefinition(file, static_cast<std::uint32_t>(entry->table_pg))) {
        out.failure(ReadFailure::Damaged, "table definition unsound");
        out.end();
        return;
    }
    const std::unique_ptr<MdbTableDef, TableCloser> table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()) || table->num_cols == 0 || table->num_cols > kMaxStreamColumns
        || table->columns->len != table->num_cols) {
        out.failure(ReadFailure::Damaged, "table definition unreadable");
        out.end();
        return;
    }
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        out.column(static_cast<std::uint8_t>(column->col_type), column->name);
    }
    mdb_rewind_table(table.get());
    while (out.ok() && mdb_fetch_row(table.get()))
        if (!sendRow(mdb.get(), table.get(), out))
            break;
    out.end();
}

} // namespace lout::jet
