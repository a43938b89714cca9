#pragma once

// The length-checked encoding in which the isolated reader sends a table to
// its parent. Every record is a tag byte, a 32-bit length and the payload; the
// stream ends with an end record, so a cut-off stream is recognised.
#include "catalogue/raw_table.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lout::jet {

// Writes records to a file descriptor, buffered; used in the reading child,
// so it reports a failed write instead of throwing.
class StreamWriter {
public:
    explicit StreamWriter(int fd) : fd_(fd) {}
    StreamWriter(const StreamWriter&) = delete;
    StreamWriter& operator=(const StreamWriter&) = delete;

    void column(std::uint8_t type, std::string_view name);
    void rowStart(std::size_t cells);
    void cell(RawCell::Kind kind, std::string_view data);
    void failure(ReadFailure why, std::string_view detail);
    void end();
    // Before anything else: the child reads without its system-call filter.
    void unguarded(std::string_view why);
    bool flush();
    bool ok() const { return ok_; }
    int fd() const { return fd_; }

private:
    void record(char tag, std::string_view payload);
    int fd_;
    bool ok_ = true;
    std::string buffer_;
};

struct StreamFailure {
    ReadFailure why;
    std::string detail;
};
struct StreamGarbled {
    std::string detail;
};

// Parses a complete stream; anything malformed or incomplete is StreamGarbled.
std::variant<RawTable, StreamFailure, StreamGarbled> parseTableStream(std::span<const std::uint8_t> bytes);

// Takes the unguarded notice off the head of a stream, if it starts with one,
// and returns why the child went without its filter.
std::optional<std::string> takeUnguardedNotice(std::span<const std::uint8_t>& bytes);

constexpr std::size_t kMaxStreamColumns = 255;

} // namespace lout::jet
