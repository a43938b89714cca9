#pragma once

// The program's command line, read before any window exists, so that
// --help and --version need no display:
//   lout [--catalogue FILE] [-h|--help] [-v|--version]
// Qt's own options (-platform, -style, ...) pass through to the application.
#include <filesystem>
#include <optional>

namespace lout {

struct CommandLine {
    // The catalogue named with --catalogue, made absolute.
    std::optional<std::filesystem::path> catalogue;
    // Set when the command line has been answered and the program ends with
    // this status: 0 after --help or --version (written to stdout), 2 after
    // a one-line complaint on stderr.
    std::optional<int> exitStatus;
};

CommandLine readCommandLine(int argc, const char* const* argv);

} // namespace lout
