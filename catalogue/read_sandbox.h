#pragma once

// The system-call filter of the reading child. Once libmdb holds the
// database in memory, reading it needs nothing from the system but memory,
// the answer pipe and the exit: a file crafted to take over the library
// then still cannot open files, sockets or programs, nor gain privileges.
// Any other system call ends the child at once (SIGSYS).
#include "catalogue/table_stream.h"

#include <string_view>

namespace lout::jet {

// Loads a built filter into the kernel: libseccomp's seccomp_load, or in
// tests a stand-in that fails as a kernel without seccomp would. Returns 0
// or a negative errno.
using FilterLoad = int (*)(void* filter);
int loadFilterIntoKernel(void* filter);

// In the child, once the database is open: sets no-new-privileges and
// enters the filter; from then on the child writes only to `out` and to its
// standard output and error (/dev/null there). When the kernel refuses, the
// answer starts with a notice saying why, and the child reads on under its
// resource limits alone.
void enterReadSandbox(StreamWriter& out, FilterLoad load = loadFilterIntoKernel);

// In the parent: says on standard error, once per process, that catalogues
// are read without the filter and why.
void reportUnguardedReading(std::string_view why);

} // namespace lout::jet
