#include "tools/tool_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace lout {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& file) { return "“" + file.string() + "”"; }

FileError cannotRead(const fs::path& file, int errorNumber)
{
    return FileError("无法读取" + quoted(file) + "：" + reasonInWords(errorNumber));
}

FileError cannotWrite(const fs::path& file, int errorNumber)
{
    return FileError("无法写入" + quoted(file) + "：" + reasonInWords(errorNumber));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // A failed close can be the first word of a full disk: 0 or its errno.
    int closeNow()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// A file made by this process that goes again unless it is kept.
class MadeFile {
public:
    explicit MadeFile(fs::path file) : file_(std::move(file)) {}
    MadeFile(const MadeFile&) = delete;
    MadeFile& operator=(const MadeFile&) = delete;
    ~MadeFile()
    {
        if (!kept_)
            ::unlink(file_.c_str());
    }
    const fs::path& path() const { return file_; }
    void keep() { kept_ = true; }

private:
    fs::path file_;
    bool kept_ = false;
};

// 0, or the errno of the write that failed.
int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Every byte on the disk, then closed: 0 or the errno of the failing step.
int writeAndClose(Descriptor& out, std::string_view bytes)
{
    if (const int error = writeAll(out.get(), bytes))
        return error;
    if (::fsync(out.get()) != 0)
        return errno;
    return out.closeNow();
}

// Only a plain file (or nothing) may stand where the catalogue goes:
// renaming over a device or a pipe would replace the device itself.
void refuseWhatIsNoFile(const fs::path& file)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0)
        return; // nothing there, or a path the folder check reports on
    if (S_ISDIR(status.st_mode))
        throw FileError(quoted(file) + "是一个文件夹，不能写成文件");
    if (!S_ISREG(status.st_mode))
        throw FileError(quoted(file) + "不是普通文件，没有写入它");
}

// Makes the folders missing above `file`; the nearest one that exists must
// be a folder.
void makeFolderOf(const fs::path& file)
{
    std::vector<fs::path> missing;
    for (fs::path folder = file.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        struct stat status {};
        if (::stat(folder.c_str(), &status) == 0) {
            if (!S_ISDIR(status.st_mode))
                throw FileError(quoted(folder) + "不是文件夹，无法在其中写入" + quoted(file));
            break;
        }
        if (errno != ENOENT && errno != ENOTDIR)
            throw cannotWrite(file, errno);
        missing.push_back(folder);
        if (folder == folder.parent_path())
            break;
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder)
        if (::mkdir(folder->c_str(), 0777) != 0 && errno != EEXIST)
            throw FileError("无法建立文件夹" + quoted(*folder) + "：" + reasonInWords(errno));
}

mode_t modeForNewFiles()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

} // namespace

std::string reasonInWords(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return "没有权限";
    case ENOSPC:
        return "磁盘已满";
    case EDQUOT:
        return "超出了磁盘配额";
    case EROFS:
        return "所在的文件系统是只读的";
    case EISDIR:
        return "这是一个文件夹";
    case ENOTDIR:
        return "路径中有一项不是文件夹";
    case ENOENT:
        return "文件或文件夹不存在";
    case ENAMETOOLONG:
        return "文件名太长";
    case ELOOP:
        return "符号链接的层数太多";
    case EFBIG:
        return "文件太大";
    case EIO:
        return "读写设备出错";
    case EMFILE:
    case ENFILE:
        return "打开的文件太多";
    case EPIPE:
        return "接收输出的程序已经结束";
    default:
        return "系统错误 " + std::to_string(errorNumber);
    }
}

std::string readWholeFile(const fs::path& file)
{
    Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        throw cannotRead(file, errno);
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw cannotRead(file, errno);
        if (got == 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

void writeNewFile(const fs::path& file, std::string_view bytes)
{
    Descriptor out(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (out.get() < 0) {
        if (errno == EEXIST)
            throw FileError(quoted(file) + "已经存在，没有覆盖它");
        throw cannotWrite(file, errno);
    }
    MadeFile made(file);
    if (const int error = writeAndClose(out, bytes))
        throw cannotWrite(file, error);
    made.keep();
}

void replaceFile(const fs::path& file, std::string_view bytes, const std::function<void(const fs::path&)>& accept)
{
    refuseWhatIsNoFile(file);
    makeFolderOf(file);
    std::string pattern = file.string() + ".partial-XXXXXX";
    Descriptor out(::mkostemp(pattern.data(), O_CLOEXEC));
    if (out.get() < 0)
        throw cannotWrite(file, errno);
    MadeFile temporary(pattern);
    // mkostemp makes the file for its owner alone; a catalogue is read as
    // any other file the user makes.
    if (::fchmod(out.get(), modeForNewFiles()) != 0)
        throw cannotWrite(file, errno);
    if (const int error = writeAndClose(out, bytes))
        throw cannotWrite(file, error);
    accept(temporary.path());
    if (::rename(temporary.path().c_str(), file.c_str()) != 0)
        throw cannotWrite(file, errno);
    temporary.keep();
    // The new name on the disk too; the file is in place whatever this says.
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const Descriptor folderHandle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderHandle.get() >= 0)
        ::fsync(folderHandle.get());
}

void writeStandardOutput(std::string_view text)
{
    if (const int error = writeAll(STDOUT_FILENO, text))
        throw FileError("无法写入标准输出：" + reasonInWords(error));
}

} // namespace lout
