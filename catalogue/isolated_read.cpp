#include "catalogue/isolated_read.h"

#include "catalogue/mdb_extract.h"
#include "catalogue/sanitized_build.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lout::jet {

namespace {

// RAII for a file descriptor.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

std::size_t currentAddressSpace()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    unsigned long pages = 0;
    const int matched = std::fscanf(statm, "%lu", &pages);
    std::fclose(statm);
    return matched == 1 ? static_cast<std::size_t>(pages) * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) : 0;
}

// In the child: crashes end the process plainly (no inherited crash
// handlers of a test or fuzz harness), output goes nowhere, and the time
// and memory it may use are capped.
void prepareChild(int keepFd, const IsolationLimits& limits, std::size_t addressSpaceCap)
{
    for (const int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGALRM, SIGXCPU, SIGPIPE, SIGTERM}) {
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);

    const int devNull = ::open("/dev/null", O_RDWR);
    if (devNull >= 0) {
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(devNull, STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
        if (devNull > STDERR_FILENO && devNull != keepFd)
            ::close(devNull);
    }

    const rlimit cpu{limits.cpuSeconds, limits.cpuSeconds + 1};
    ::setrlimit(RLIMIT_CPU, &cpu);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const rlimit noFiles{0, 0};
    ::setrlimit(RLIMIT_FSIZE, &noFiles);
#ifndef LOUT_SANITIZED
    if (addressSpaceCap > 0) {
        const rlimit memory{addressSpaceCap, addressSpaceCap};
        ::setrlimit(RLIMIT_AS, &memory);
    }
#else
    (void)addressSpaceCap;
#endif
}

[[noreturn]] void runChild(int writeFd, const ChildWork& work)
{
    StreamWriter out(writeFd);
    work(out);
    out.flush();
    ::_exit(out.ok() ? 0 : 3);
}

struct Collected {
    std::vector<std::uint8_t> bytes;
    bool timedOut = false;
    bool tooLong = false;
};

Collected collect(int readFd, const IsolationLimits& limits)
{
    Collected result;
    const auto deadline = std::chrono::steady_clock::now() + limits.wallClock;
    std::vector<std::uint8_t> chunk(1 << 16);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            return result;
        }
        pollfd p{readFd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            result.timedOut = ready == 0;
            return result;
        }
        const ssize_t got = ::read(readFd, chunk.data(), chunk.size());
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            return result; // end of stream
        result.bytes.insert(result.bytes.end(), chunk.begin(), chunk.begin() + got);
        if (result.bytes.size() > limits.maxStreamBytes) {
            result.tooLong = true;
            return result;
        }
    }
}

int reap(pid_t child)
{
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return status;
}

} // namespace

IsolatedResult runIsolated(const ChildWork& work, const IsolationLimits& limits)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return ChildTrouble{ChildTrouble::Kind::NotStarted, std::strerror(errno)};
    Fd readEnd(fds[0]);
    Fd writeEnd(fds[1]);
    const std::size_t cap = currentAddressSpace() + limits.extraAddressSpace;

    const pid_t child = ::fork();
    if (child < 0)
        return ChildTrouble{ChildTrouble::Kind::NotStarted, std::strerror(errno)};
    if (child == 0) {
        ::close(fds[0]);
        prepareChild(fds[1], limits, cap);
        runChild(fds[1], work);
    }
    writeEnd.reset();

    const Collected collected = collect(readEnd.get(), limits);
    if (collected.timedOut || collected.tooLong)
        ::kill(child, SIGKILL);
    readEnd.reset();
    const int status = reap(child);

    // Said however the child ended: it has read without its filter.
    std::span<const std::uint8_t> answer(collected.bytes);
    if (const auto why = takeUnguardedNotice(answer))
        reportUnguardedReading(*why);
    if (collected.timedOut)
        return ChildTrouble{ChildTrouble::Kind::TimedOut, "no answer within the time limit"};
    if (collected.tooLong)
        return ChildTrouble{ChildTrouble::Kind::Garbled, "answer too long"};
    if (status >= 0 && WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS)
        return ChildTrouble{ChildTrouble::Kind::Forbidden, "reader stopped by its system-call filter"};
    if (status < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::string detail = "reader ended abnormally";
        if (status >= 0 && WIFSIGNALED(status))
            detail = std::string("reader stopped by signal ") + std::to_string(WTERMSIG(status));
        return ChildTrouble{ChildTrouble::Kind::Crashed, detail};
    }
    auto parsed = parseTableStream(answer);
    if (auto* table = std::get_if<RawTable>(&parsed))
        return std::move(*table);
    if (auto* failure = std::get_if<StreamFailure>(&parsed))
        return std::move(*failure);
    return ChildTrouble{ChildTrouble::Kind::Garbled, std::get<StreamGarbled>(parsed).detail};
}

} // namespace lout::jet

namespace lout::jet {

IsolatedResult readTableIsolated(const std::vector<std::uint8_t>& file, const std::string& tableName,
                                 const std::string& jet3Charset, const IsolationLimits& limits, FilterLoad load)
{
    return runIsolated(
        [&](StreamWriter& out) {
            // libmdb picks its text conversion from the environment when it
            // opens the file: make it match the charset the parent decodes with.
            ::unsetenv("MDBICONV");
            ::setenv("MDB_JET3_CHARSET", jet3Charset.c_str(), 1);
            // A copy of its own: libmdb wants the bytes writable.
            std::vector<std::uint8_t> bytes = file;
            extractTable(bytes, tableName, out, [&] { enterReadSandbox(out, load); });
        },
        limits);
}

} // namespace lout::jet
