#pragma once

// RFC 4180 comma-separated values: quoted fields may hold commas, quotes
// ("" inside quotes) and line breaks. A field remembers whether it was
// quoted, so an empty quoted field ("") can differ from an empty one.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lout::csv {

struct Field {
    std::string text;
    bool quoted = false;
};

struct Record {
    std::size_t line = 0; // 1-based line on which the record starts
    std::vector<Field> fields;
};

class ParseError : public std::runtime_error {
public:
    ParseError(std::size_t line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
    std::size_t line() const { return line_; }

private:
    std::size_t line_;
};

// Every record of `text` (a UTF-8 byte-order mark is skipped; blank lines at
// the end are ignored). Throws ParseError with the line of the fault.
std::vector<Record> parse(std::string_view text);

// One field as written: quoted only when it must be (a comma, quote or line
// break inside, or an empty text that has to differ from an empty field).
std::string formatField(std::string_view text, bool mustQuote = false);

} // namespace lout::csv
