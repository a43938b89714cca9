#include "catalogue/table_stream.h"

#include "jet/bytes.h"

#include <cerrno>
#include <optional>
#include <unistd.h>

namespace lout::jet {

namespace {

constexpr char kColumn = 'C';
constexpr char kRow = 'R';
constexpr char kFailure = 'X';
constexpr char kEnd = 'E';
constexpr char kUnguarded = 'U';
constexpr std::size_t kFlushAt = 1 << 16;

} // namespace

void StreamWriter::record(char tag, std::string_view payload)
{
    buffer_.push_back(tag);
    const auto length = static_cast<std::uint32_t>(payload.size());
    for (int i = 0; i < 4; ++i)
        buffer_.push_back(static_cast<char>((length >> (8 * i)) & 0xFFu));
    buffer_.append(payload);
    if (buffer_.size() >= kFlushAt)
        flush();
}

void StreamWriter::column(std::uint8_t type, std::string_view name)
{
    std::string payload(1, static_cast<char>(type));
    payload.append(name);
    record(kColumn, payload);
}

void StreamWriter::rowStart(std::size_t cells)
{
    std::string payload;
    for (int i = 0; i < 2; ++i)
        payload.push_back(static_cast<char>((cells >> (8 * i)) & 0xFFu));
    record(kRow, payload);
}

void StreamWriter::cell(RawCell::Kind kind, std::string_view data)
{
    record(static_cast<char>(kind), data);
}

void StreamWriter::failure(ReadFailure why, std::string_view detail)
{
    std::string payload(1, static_cast<char>(why));
    payload.append(detail);
    record(kFailure, payload);
}

void StreamWriter::end()
{
    record(kEnd, {});
}

void StreamWriter::unguarded(std::string_view why)
{
    record(kUnguarded, why);
}

bool StreamWriter::flush()
{
    std::size_t done = 0;
    while (ok_ && done < buffer_.size()) {
        const ssize_t written = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            ok_ = false;
        else
            done += static_cast<std::size_t>(written);
    }
    buffer_.clear();
    return ok_;
}

std::variant<RawTable, StreamFailure, StreamGarbled> parseTableStream(std::span<const std::uint8_t> bytes)
{
    RawTable table;
    std::size_t at = 0;
    std::size_t cellsLeft = 0; // cells still due in the current row
    bool rowsStarted = false;
    std::optional<StreamFailure> failure;
    while (at < bytes.size()) {
        if (bytes.size() - at < 5)
            return StreamGarbled{"cut-off record header"};
        const char tag = static_cast<char>(bytes[at]);
        const std::uint32_t length = readU32(bytes, at + 1);
        at += 5;
        if (length > bytes.size() - at)
            return StreamGarbled{"record longer than the stream"};
        const std::string_view payload(reinterpret_cast<const char*>(bytes.data() + at), length);
        at += length;
        if (failure && tag != kEnd)
            return StreamGarbled{"records after a failure"};
        switch (tag) {
        case kColumn:
            if (rowsStarted || payload.empty() || table.columns.size() >= kMaxStreamColumns)
                return StreamGarbled{"misplaced column"};
            table.columns.push_back({std::string(payload.substr(1)), static_cast<std::uint8_t>(payload[0])});
            break;
        case kRow: {
            if (cellsLeft != 0 || payload.size() != 2 || table.columns.empty())
                return StreamGarbled{"misplaced row"};
            const std::size_t cells = static_cast<unsigned char>(payload[0])
                | (static_cast<std::size_t>(static_cast<unsigned char>(payload[1])) << 8);
            if (cells != table.columns.size())
                return StreamGarbled{"row of the wrong width"};
            rowsStarted = true;
            table.rows.emplace_back();
            table.rows.back().reserve(cells);
            cellsLeft = cells;
            break;
        }
        case static_cast<char>(RawCell::Kind::Null):
        case static_cast<char>(RawCell::Kind::Stored):
        case static_cast<char>(RawCell::Kind::Text):
            if (cellsLeft == 0)
                return StreamGarbled{"cell outside a row"};
            table.rows.back().push_back({static_cast<RawCell::Kind>(tag), std::string(payload)});
            --cellsLeft;
            break;
        case kFailure: {
            if (payload.empty() || failure)
                return StreamGarbled{"misplaced failure"};
            const auto why = static_cast<ReadFailure>(payload[0]);
            if (why != ReadFailure::NotADatabase && why != ReadFailure::TableMissing && why != ReadFailure::Damaged)
                return StreamGarbled{"unknown failure"};
            failure = StreamFailure{why, std::string(payload.substr(1))};
            break;
        }
        case kEnd:
            if (length != 0 || at != bytes.size())
                return StreamGarbled{"misplaced end"};
            // A failure may come at any point of the read; it wins.
            if (failure)
                return *failure;
            if (cellsLeft != 0 || table.columns.empty())
                return StreamGarbled{"incomplete table"};
            return table;
        default:
            return StreamGarbled{"unknown record"};
        }
    }
    return StreamGarbled{"stream ended early"};
}

std::optional<std::string> takeUnguardedNotice(std::span<const std::uint8_t>& bytes)
{
    if (bytes.size() < 5 || static_cast<char>(bytes[0]) != kUnguarded)
        return std::nullopt;
    const std::uint32_t length = readU32(bytes, 1);
    if (length > bytes.size() - 5)
        return std::nullopt; // left to the parser, which calls it garbled
    std::string why(reinterpret_cast<const char*>(bytes.data() + 5), length);
    bytes = bytes.subspan(5 + length);
    return why;
}

} // namespace lout::jet
