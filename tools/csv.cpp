#include "tools/csv.h"

namespace lout::csv {

std::vector<Record> parse(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<Record> records;
    std::size_t line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        Record record;
        record.line = line;
        for (;;) { // one field per pass
            Field field;
            if (i < text.size() && text[i] == '"') {
                field.quoted = true;
                const std::size_t openedOn = line;
                ++i;
                for (;;) {
                    if (i >= text.size())
                        throw ParseError(openedOn, "引号里的字段没有结束引号");
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < text.size() && text[i] == '"') {
                            field.text.push_back('"');
                            ++i;
                        } else {
                            break;
                        }
                    } else {
                        if (c == '\n')
                            ++line;
                        field.text.push_back(c);
                    }
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                    throw ParseError(line, "字段的结束引号后面还有文字");
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                    if (text[i] == '"')
                        throw ParseError(line, "没有引号的字段中间有引号");
                    field.text.push_back(text[i++]);
                }
            }
            record.fields.push_back(std::move(field));
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        // End of record: CRLF, LF or the end of the text.
        if (i < text.size() && text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] != '\n')
                throw ParseError(line, "回车符后面没有换行符");
            ++i;
        }
        if (i < text.size() && text[i] == '\n') {
            ++i;
            ++line;
        }
        records.push_back(std::move(record));
    }
    // Blank lines at the end are not records.
    while (!records.empty() && records.back().fields.size() == 1 && !records.back().fields[0].quoted
           && records.back().fields[0].text.empty())
        records.pop_back();
    return records;
}

std::string formatField(std::string_view text, bool mustQuote)
{
    const bool needsQuotes = mustQuote || text.find_first_of(",\"\r\n") != std::string_view::npos;
    if (!needsQuotes)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

} // namespace lout::csv
