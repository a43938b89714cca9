#pragma once

#include "catalogue/catalogue_errors.h"
#include "jet/field_value.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lout {

// The record set over CORE_DATA: every row and column, ordered by TYPE
// ascending as Jet compares text (case-insensitive; equal names keep their
// table order). Read once at open and served from memory.
class CoreRecordSet {
public:
    // Opens `file` and reads CORE_DATA. Throws CatalogueError for a missing or
    // unreadable file, a file that is not a Jet database, a missing table or
    // column (TYPE, Co_Ae), fewer than eight columns, a null TYPE, a null or
    // non-numeric Co_Ae, or fewer than `minimumRows` rows.
    static CoreRecordSet open(const std::filesystem::path& file, std::size_t minimumRows = 7);

    std::size_t rowCount() const { return rows_.size(); }
    std::size_t columnCount() const { return columns_.size(); }
    const std::vector<std::string>& columnNames() const { return columns_; }

    // Cursor. After open the cursor lies past the last row (no current row).
    void moveFirst();                      // 3021 when the set is empty
    void moveNext();                       // 3021 when already past the end
    bool eof() const { return current_ >= rows_.size(); }
    // Makes the first row (from the top) whose TYPE equals `name`,
    // case-insensitively, current; returns false and leaves the cursor where
    // it was when none matches. The name is compared as a value.
    bool findFirst(std::string_view name);

    // Fields of the current row; 3021 without a current row, 3265 for an
    // unknown ordinal or name (names compare case-insensitively).
    const FieldValue& field(std::size_t ordinal) const;
    const FieldValue& field(std::string_view name) const;

    // Row access without the cursor (for listing and tools).
    const std::vector<FieldValue>& row(std::size_t index) const { return rows_.at(index); }

private:
    std::string file_;
    std::vector<std::string> columns_;
    std::vector<std::vector<FieldValue>> rows_;
    std::size_t current_ = 0;
};

// Converts a Co_Ae cell to single precision: 94 for null, 13 for text that is
// not a number.
float coreAreaOf(const FieldValue& v, const std::string& file);

} // namespace lout
