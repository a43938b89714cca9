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
    lout::CoreRecordSet set = lout::CoreRecordSet::open(file);
    std::vector<std::string> listed;
    set.moveFirst();
    while (!set.eof()) {
        listed.push_back(lout::textValue(set.field(0)).value_or(std::string()));
        set.moveNext();
    }
    for (const std::string& name : listed) {
        set.moveFirst();
        if (!set.findFirst(name))
            std::abort(); // every listed name must be found again
        (void)lout::coreAreaOf(set.field("Co_Ae"), file.string());
        for (std::size_t c = 0; c < set.columnCount(); ++c)
            (void)lout::numericValue(set.field(c));
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
