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

// A fault in the text, in Chinese, beginning with its line: "第 3 行：…".
class ParseError : public std::runtime_error {
public:
    ParseError(std::size_t line, const std::string& detail) : ParseError(line, "：" + detail, Joined{}) {}
    // A sentence about the line as a whole: "第 1 行" + "应当是…".
    static ParseError aboutLine(std::size_t line, const std::string& predicate)
    {
        return ParseError(line, predicate, Joined{});
    }
    std::size_t line() const { return line_; }

private:
    struct Joined {};
    ParseError(std::size_t line, const std::string& rest, Joined)
        : std::runtime_error("第 " + std::to_string(line) + " 行" + rest), line_(line) {}
    std::size_t line_;
};

// Every record of `text` (a UTF-8 byte-order mark is skipped; blank lines at
// the end are ignored). Throws ParseError with the line of the fault.
std::vector<Record> parse(std::string_view text);

// One field as written: quoted only when it must be (a comma, quote or line
// break inside, or an empty text that has to differ from an empty field).
std::string formatField(std::string_view text, bool mustQuote = false);

} // namespace lout::csv
