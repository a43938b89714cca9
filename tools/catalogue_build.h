#pragma once

// core-catalogue build: a CSV file made into a catalogue. The target is
// replaced only by a catalogue lout can start with, read back the way the
// program reads it before it takes the target's place; otherwise the target
// stays as it was, byte for byte.
#include <filesystem>
#include <string>
#include <vector>

namespace lout {

struct BuildReport {
    std::vector<std::string> faults;   // why nothing was written; empty when done
    std::vector<std::string> oddities; // rows written all the same
};

BuildReport buildCatalogue(const std::filesystem::path& csvFile, const std::filesystem::path& database);

} // namespace lout
