#include "catalogue_fixtures.h"

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

std::vector<JetColumn> coreColumns()
{
    return {{"TYPE", JetType::Text}, {"Co_Family", JetType::Text}, {"A", JetType::Double},
            {"B", JetType::Double},  {"C", JetType::Double},         {"D", JetType::Double},
            {"E", JetType::Double},  {"F", JetType::Double},         {"Co_Ae", JetType::Double}};
}

JetTable coreTable(const std::vector<std::string>& names)
{
    JetTable table{"CORE_DATA", coreColumns(), {}};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto base = static_cast<double>(i);
        table.rows.push_back({names[i], std::string("EE"), base + 1, base + 2, base + 3, base + 4, base + 5, base + 6,
                              0.1 * (base + 1)});
    }
    return table;
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
    for (const char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out.push_back(c);
    }
    return out + "'";
}

} // namespace lout::testing
