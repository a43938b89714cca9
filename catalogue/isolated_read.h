#pragma once

// Runs the libmdb read of a table in a child process with limits on time and
// memory, so a file that makes the library crash, stall or run wild ends as
// a clean failure instead of taking the program down; and under a
// system-call filter (read_sandbox.h), so a file that takes the library over
// can do nothing but read.
#include "catalogue/read_sandbox.h"
#include "catalogue/table_stream.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace lout::jet {

struct IsolationLimits {
    std::chrono::milliseconds wallClock{8000};
    unsigned cpuSeconds = 6;
    std::size_t extraAddressSpace = std::size_t{1} << 30; // beyond what the program already maps
    std::size_t maxStreamBytes = std::size_t{512} << 20;
};

// How the child ended when it delivered no usable table. Forbidden: the
// system-call filter ended it for a call that reading does not make.
struct ChildTrouble {
    enum class Kind { Crashed, Forbidden, TimedOut, Garbled, NotStarted } kind;
    std::string detail;
};

using IsolatedResult = std::variant<RawTable, StreamFailure, ChildTrouble>;

// Runs `work` in a child process under `limits` and parses what it streams.
// The child's crash handlers are reset and its output goes nowhere, so a
// crash ends only the child.
using ChildWork = std::function<void(StreamWriter&)>;
IsolatedResult runIsolated(const ChildWork& work, const IsolationLimits& limits = {});

// Reads table `tableName` of a database through libmdb in such a child,
// which enters the system-call filter once libmdb has opened the file
// (`load` puts it into the kernel). `file` is the whole database;
// `jet3Charset` is the charset the library should use for Jet 3 names (the
// same one the caller decodes text with).
IsolatedResult readTableIsolated(const std::vector<std::uint8_t>& file, const std::string& tableName,
                                 const std::string& jet3Charset, const IsolationLimits& limits = {},
                                 FilterLoad load = loadFilterIntoKernel);

} // namespace lout::jet
