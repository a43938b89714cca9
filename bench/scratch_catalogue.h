#pragma once

// A catalogue written into a temporary folder of its own for a benchmark,
// removed with the folder when the benchmark is done.
#include "jet/writer.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lout::bench {

class ScratchCatalogue {
public:
    explicit ScratchCatalogue(const JetTable& table)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lout-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        dir_ = pattern;
        writeJet4Database(file(), table);
    }
    ScratchCatalogue(const ScratchCatalogue&) = delete;
    ScratchCatalogue& operator=(const ScratchCatalogue&) = delete;
    ~ScratchCatalogue() { std::filesystem::remove_all(dir_); }

    std::filesystem::path file() const { return dir_ / "db1.mdb"; }

private:
    std::filesystem::path dir_;
};

} // namespace lout::bench
