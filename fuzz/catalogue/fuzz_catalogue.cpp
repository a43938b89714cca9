// Any bytes as db1.mdb, through what start-up does with the catalogue: open
// it, list every model, choose each one and read every field and the core
// area. A file without CORE_DATA is also read as the Access test databases
// name their first table, so mutations of real Access files go as deep as
// the reader goes. A catalogue error is a fine outcome; a crash or hang is
// not.
#include "catalogue/catalogue_table.h"
#include "catalogue/core_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The input as a file of its own, removed afterwards.
class InputFile {
public:
    InputFile(const std::uint8_t* data, std::size_t size)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-db1-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            std::abort();
        path_ = pattern;
        std::size_t done = 0;
        while (done < size) {
            const ssize_t written = ::write(fd, data + done, size - done);
            if (written <= 0)
                std::abort();
            done += static_cast<std::size_t>(written);
        }
        ::close(fd);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() { ::unlink(path_.c_str()); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void readLikeStartUp(const std::filesystem::path& file)
{
    const lout::CoreCatalogue catalogue = lout::readCoreCatalogue(file);
    for (const lout::CatalogueCore& core : catalogue.cores) {
        // Every listed name is found again, at or before its own place.
        const std::optional<std::size_t> found = lout::coreNamed(catalogue, core.name);
        if (!found || &catalogue.cores[*found] > &core)
            std::abort();
        (void)lout::coreAreaOf(core, file.string());
        (void)lout::dimensionsOf(core);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const InputFile input(data, size);
    const auto expectCatalogueError = [](const lout::CatalogueError& e) {
        if (e.number() <= 0 || std::string(e.what()).empty())
            std::abort();
    };
    try {
        readLikeStartUp(input.path());
    } catch (const lout::CatalogueError& e) {
        expectCatalogueError(e);
        if (e.number() == 3078) {
            try {
                (void)lout::readCatalogueTable(input.path(), "Table1");
            } catch (const lout::CatalogueError& other) {
                expectCatalogueError(other);
            }
        }
    }
    return 0;
}
