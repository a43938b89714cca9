#pragma once

// Reads one table of a Jet file through libmdb and streams it. Meant to run
// in a disposable child process: libmdb trusts the file, so a hostile file
// may crash or stall it.
#include "catalogue/table_stream.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace lout::jet {

// Streams the user table `tableName` (names compared ignoring ASCII case)
// of the database in `file`, ending with an end record. The buffer must stay
// writable for libmdb's in-memory stream. `onceOpen` runs when libmdb has
// opened the file (or refused it) and loaded what it loads on first use,
// before anything beyond the header page is read: the moment from which the
// read needs no system call but memory, writing and the exit.
void extractTable(std::span<std::uint8_t> file, const std::string& tableName, StreamWriter& out,
                  const std::function<void()>& onceOpen);

} // namespace lout::jet
