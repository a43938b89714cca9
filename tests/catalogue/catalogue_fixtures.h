#pragma once

// Shared pieces of the catalogue tests: scratch folders, catalogue tables in
// the shape the program expects, file bytes and child commands.
#include "jet/writer.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lout::testing {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// CORE_DATA with TYPE, Co_Family, A-F and Co_Ae; row i gets dimensions
// i+1 ... i+6 and Co_Ae 0.1 * (i + 1).
JetTable coreTable(const std::vector<std::string>& names);

// CORE_DATA as Access users make it: TYPE, an AutoNumber key at ordinal 1,
// the dimensions A-F, Co_Ae as Single and a memo of notes (short, one
// long-value row, or a chain of them), `models` rows in no particular
// order over many pages and `deleted` deleted rows whose names would sort
// first. In TYPE order the seventh model is "EE006" with Co_Ae 1.0.
JetTable accessStyleCoreTable(std::size_t models = 300, std::size_t deleted = 40);

// The number and message of the catalogue error `read` throws; number 0
// when it throws none.
struct Refusal {
    int number = 0;
    std::string message;
};
Refusal refusalOf(const std::function<void()>& read);

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);

struct CommandResult {
    int status = -1; // exit status, -1 when it did not end normally
    std::string output;
};
// Runs a shell command line, collecting its standard output.
CommandResult runCommand(const std::string& commandLine);
std::string shellQuoted(const std::string& text);

} // namespace lout::testing
