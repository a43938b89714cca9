#include "catalogue/catalogue_table.h"

#include "catalogue/catalogue_errors.h"
#include "catalogue/isolated_read.h"
#include "jet/precheck.h"
#include "catalogue/table_decode.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lout {

namespace errors = catalogue_errors;

namespace {

// Reads the whole file, telling a missing file from one that cannot be read.
std::vector<std::uint8_t> readWholeFile(const std::filesystem::path& file, const std::string& name)
{
    // Non-blocking, so that a named pipe in the file's place cannot stall us.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw errors::fileNotFound(name);
        if (errno == EACCES || errno == EPERM)
            throw errors::cannotOpen(name, "没有读取权限");
        throw errors::cannotOpen(name, std::strerror(errno));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw errors::cannotOpen(name, std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        throw errors::cannotOpen(name, "这是一个文件夹，不是文件");
    if (!S_ISREG(info.st_mode))
        throw errors::cannotOpen(name, "这不是普通文件");
    if (static_cast<std::uint64_t>(info.st_size) > jet::kMaxDatabaseBytes)
        throw errors::notADatabase(name, "文件过大");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw errors::cannotOpen(name, std::string("读取出错：") + std::strerror(errno));
        if (got == 0)
            break; // the file shrank while we read it
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

jet::DecodedTable readTable(std::vector<std::uint8_t> bytes, const std::string& name, const std::string& table)
{
    jet::decipherPages(bytes);
    const jet::PrecheckResult check = jet::precheckJetFile(bytes);
    if (!check.header)
        throw errors::notADatabase(name, check.fault);
    const std::string charset = jet::jet3CharsetFor(check.header->codePage);
    jet::IsolatedResult result = jet::readTableIsolated(bytes, table, charset);

    if (const auto* failure = std::get_if<jet::StreamFailure>(&result)) {
        switch (failure->why) {
        case jet::ReadFailure::TableMissing: throw errors::tableMissing(name, table);
        case jet::ReadFailure::NotADatabase: throw errors::notADatabase(name, "系统表 MSysObjects 无法读取");
        case jet::ReadFailure::Damaged: throw errors::notADatabase(name, "表 " + table + " 已损坏");
        }
    }
    if (const auto* trouble = std::get_if<jet::ChildTrouble>(&result)) {
        switch (trouble->kind) {
        case jet::ChildTrouble::Kind::TimedOut:
            throw errors::notADatabase(name, "读取超时，文件可能已损坏");
        case jet::ChildTrouble::Kind::NotStarted:
            throw errors::notADatabase(name, "无法启动读取进程：" + trouble->detail);
        case jet::ChildTrouble::Kind::Forbidden:
            throw errors::notADatabase(name, "读取进程试图进行读取以外的操作，已被终止；文件可能已损坏或被恶意构造");
        case jet::ChildTrouble::Kind::Crashed:
        case jet::ChildTrouble::Kind::Garbled:
            throw errors::notADatabase(name, "读取时出错，文件可能已损坏");
        }
    }
    try {
        return jet::decodeTable(std::get<jet::RawTable>(result), check.header->version, charset);
    } catch (const std::runtime_error&) {
        throw errors::notADatabase(name, "表 " + table + " 中有无法解读的值");
    }
}

} // namespace

CatalogueTable readCatalogueTable(const std::filesystem::path& file, std::string_view tableName)
{
    const std::string name = file.string();
    jet::DecodedTable table = readTable(readWholeFile(file, name), name, std::string(tableName));
    return CatalogueTable{std::move(table.columns), std::move(table.columnTypes), std::move(table.rows)};
}

} // namespace lout
