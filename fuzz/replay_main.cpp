// Replays fuzz inputs (files or folders of files) through a fuzz target's
// entry point in an ordinary build, so every input that ever crashed stays a
// regression test.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
int replayFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 1;
}
} // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
                if (entry.is_regular_file() && entry.path().filename() != ".gitkeep")
                    replayed += replayFile(entry.path());
        } else if (std::filesystem::exists(arg)) {
            replayed += replayFile(arg);
        }
    }
    std::cout << "replayed " << replayed << " inputs without a crash\n";
    return 0;
}
