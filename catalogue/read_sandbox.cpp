#include "catalogue/read_sandbox.h"

#include "catalogue/sanitized_build.h"

#include <seccomp.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace lout::jet {

namespace {

struct FilterRelease {
    void operator()(void* filter) const { seccomp_release(filter); }
};
using Filter = std::unique_ptr<void, FilterRelease>;

scmp_arg_cmp argumentIs(unsigned argument, scmp_datum_t value)
{
    return {argument, SCMP_CMP_EQ, value, 0};
}

// True when the bits of `mask` in the argument equal `bits`.
scmp_arg_cmp argumentBits(unsigned argument, scmp_datum_t mask, scmp_datum_t bits)
{
    return {argument, SCMP_CMP_MASKED_EQ, mask, bits};
}

// Every system call the reading child may still make; anything else ends it.
// libmdb reads the database from memory (fmemopen), so no call touches a
// file: there is no read, seek or stat to allow.
Filter buildFilter(int answerFd)
{
    Filter filter(seccomp_init(SCMP_ACT_KILL_PROCESS));
    if (!filter)
        return filter;
    // System calls of another architecture (int 0x80 on x86-64) would get
    // past a filter written for this one.
    bool built = seccomp_attr_set(filter.get(), SCMP_FLTATR_ACT_BADARCH, SCMP_ACT_KILL_PROCESS) == 0
        // The kernel's own error when it refuses the filter, for the warning.
        && seccomp_attr_set(filter.get(), SCMP_FLTATR_API_SYSRAWRC, 1) == 0;
    const auto allow = [&](int call, std::initializer_list<scmp_arg_cmp> conditions = {}) {
        built = built
            && seccomp_rule_add_array(filter.get(), SCMP_ACT_ALLOW, call, static_cast<unsigned>(conditions.size()),
                                      conditions.begin())
                == 0;
    };

    // The answer to the parent; and the library's diagnostics, which go to
    // the standard output and error, both /dev/null in the child. Any other
    // descriptor the child inherited stays out of reach.
    for (const int fd : {answerFd, STDOUT_FILENO, STDERR_FILENO})
        allow(SCMP_SYS(write), {argumentIs(0, static_cast<scmp_datum_t>(fd))});
    // Memory for the library and the answer: new mappings only anonymous
    // (no inherited file mapped in) and never executable (no new code).
    allow(SCMP_SYS(mmap), {argumentBits(2, PROT_EXEC, 0), argumentBits(3, MAP_ANONYMOUS, MAP_ANONYMOUS)});
    allow(SCMP_SYS(brk));     // malloc's main heap
    allow(SCMP_SYS(munmap));  // free of a large block
    allow(SCMP_SYS(mremap));  // realloc of a large block
    allow(SCMP_SYS(madvise)); // free handing pages of a thread's heap back
    // malloc grows the heap of a thread (a child forked from any thread but
    // the first keeps using that thread's heap) by making more of it
    // writable; never executable.
    allow(SCMP_SYS(mprotect), {argumentBits(2, PROT_EXEC, 0)});
    // The clock: read through the vDSO without the kernel, except on a
    // machine whose clock source makes it a system call.
    allow(SCMP_SYS(clock_gettime));
    allow(SCMP_SYS(gettimeofday));
    // The end of the child (exit_group), or of a thread (exit).
    allow(SCMP_SYS(exit_group));
    allow(SCMP_SYS(exit));
#ifdef LOUT_SANITIZED
    // The sanitizer runtime takes down its alternate signal stack on _exit.
    allow(SCMP_SYS(sigaltstack));
#endif
    return built ? std::move(filter) : Filter{};
}

} // namespace

int loadFilterIntoKernel(void* filter)
{
    return seccomp_load(filter);
}

void enterReadSandbox(StreamWriter& out, FilterLoad load)
{
    // Sent at once, so that the parent hears it even if the read then fails.
    const auto unguarded = [&out](const std::string& why) {
        out.unguarded(why);
        out.flush();
    };
    // No-new-privileges first: no set-user-ID program could run anyway, and
    // the kernel takes a filter from an unprivileged process only with it.
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        unguarded(std::string("无法设置 no_new_privs：") + std::strerror(errno));
        return;
    }
    const Filter filter = buildFilter(out.fd());
    if (!filter) {
        unguarded("内核或 libseccomp 不支持所需的过滤规则");
        return;
    }
    if (const int refused = load(filter.get()); refused < 0)
        unguarded(std::string("内核拒绝载入过滤规则：") + std::strerror(-refused));
}

void reportUnguardedReading(std::string_view why)
{
    // Whether the kernel takes the filter does not change between reads, so
    // the user hears it once per process, not once per catalogue.
    static std::once_flag reported;
    std::call_once(reported, [why] {
        std::fprintf(stderr,
                     "%s：警告：无法启用读取进程的系统调用过滤（%.*s）；磁芯数据库仍在受时间和内存限制的子进程中读取。\n",
                     program_invocation_short_name, static_cast<int>(why.size()), why.data());
        std::fflush(stderr);
    });
}

} // namespace lout::jet
