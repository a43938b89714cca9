#include "catalogue_fixtures.h"

#include "catalogue/catalogue_errors.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

namespace lout::testing {

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lout-catalogue-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

JetTable coreTable(const std::vector<std::string>& names)
{
    JetTable table{"CORE_DATA", {{"TYPE", JetType::Text}, {"Co_Family", JetType::Text}}, {}};
    for (const char* name : {"A", "B", "C", "D", "E", "F", "Co_Ae"})
        table.columns.push_back({name, JetType::Double});
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto base = static_cast<double>(i);
        table.rows.push_back({names[i], std::string("EE"), base + 1, base + 2, base + 3, base + 4, base + 5, base + 6,
                              0.1 * (base + 1)});
    }
    return table;
}

JetTable accessStyleCoreTable(std::size_t models, std::size_t deleted)
{
    JetTable table{"CORE_DATA",
                   {{"TYPE", JetType::Text}, {"ID", JetType::AutoNumber}, {"A", JetType::Double},
                    {"B", JetType::Double}, {"C", JetType::Double}, {"D", JetType::Double}, {"E", JetType::Double},
                    {"F", JetType::Double}, {"Co_Ae", JetType::Single}, {"Notes", JetType::Memo}},
                   {},
                   {}};
    const auto note = [](std::size_t i) -> FieldValue {
        std::string text;
        switch (i % 4) {
        case 0: return std::string("锰锌铁氧体"); // in the row
        case 1:                                    // one long-value row
            for (std::size_t k = 0; k < 150; ++k)
                text += "磁芯" + std::to_string(k % 10);
            return text;
        case 2: // a chain of rows
            for (std::size_t k = 0; k < 1200; ++k)
                text += (k % 50 == 49) ? "\n" : "窗口";
            return text + "end" + std::to_string(i);
        default: return std::monostate{};
        }
    };
    for (std::size_t n = 0; n < models; ++n) {
        const std::size_t i = (n * 7919) % models; // a fixed shuffle: rows are not stored in name order
        char name[32];
        std::snprintf(name, sizeof name, "EE%03zu", i % 1000);
        const auto size = static_cast<double>(10 + i % 40);
        table.rows.push_back({std::string(name), static_cast<double>(n + 1), size, size * 0.7, size * 0.3,
                              size * 0.25, size * 0.25, size * 0.3, i == 6 ? 1.0 : 0.05 * static_cast<double>(1 + i % 30),
                              note(i)});
    }
    for (std::size_t d = 0; d < deleted; ++d)
        table.deletedRows.push_back({"AA" + std::to_string(d), static_cast<double>(models + d + 1), 1.0, 2.0, 3.0,
                                     4.0, 5.0, 6.0, 9.0, note(d)});
    return table;
}

Refusal refusalOf(const std::function<void()>& read)
{
    try {
        read();
    } catch (const CatalogueError& e) {
        return {e.number(), e.what()};
    }
    return {};
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

CommandResult runCommand(const std::string& commandLine)
{
    CommandResult result;
    FILE* pipe = ::popen(commandLine.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string shellQuoted(const std::string& text)
{
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace lout::testing
