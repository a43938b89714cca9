// Damaged and hostile catalogue files: every one ends in a catalogue error
// (or, when the damage spares what is read, a record set), never a crash or
// a hang of the program; and a reader taken over by its file can do nothing
// but read.
#include "catalogue/catalogue_table.h"
#include "catalogue/core_catalogue.h"
#include "catalogue/isolated_read.h"
#include "catalogue_fixtures.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <sys/mman.h>
#include <sys/ptrace.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace lout {
namespace {

using testing::ScratchDir;

constexpr std::size_t kPage = 4096;

std::vector<std::uint8_t> sampleCatalogue(const ScratchDir& dir, std::size_t rows = 300)
{
    JetTable table = testing::coreTable({});
    for (std::size_t i = 0; i < rows; ++i)
        table.rows.push_back({"EE" + std::to_string(i) + "(锰锌)", i % 2 ? FieldValue{std::string("E")} : FieldValue{},
                              1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 0.5});
    writeJet4Database(dir / "sample.mdb", table);
    return testing::readBytes(dir / "sample.mdb");
}

TEST(HostileFiles, RandomDamageNeverCrashesTheProgram)
{
    // The writer's catalogue, and files Access made (long values, indexes,
    // deleted rows, pages left over from deleted objects): damage anywhere,
    // mostly in the pages that steer a reader, ends in a catalogue error or
    // a readable table.
    ScratchDir dir;
    std::mt19937 random(20240101);
    std::map<int, int> outcomes;
    const std::filesystem::path corpus = LOUT_ACCESS_CORPUS;
    const std::pair<std::vector<std::uint8_t>, std::string> originals[] = {
        {sampleCatalogue(dir, 40), "CORE_DATA"},
        {testing::readBytes(corpus / "test2V2000.mdb"), "MSP_PROJECTS"},
        {testing::readBytes(corpus / "testV1997.mdb"), "Table1"}};
    for (const auto& [original, table] : originals) {
        for (int round = 0; round < 100; ++round) {
            auto bytes = original;
            const std::size_t span = round % 2 ? bytes.size() : std::min(bytes.size(), 6 * kPage);
            for (int f = 0; f < 1 + round % 12; ++f)
                bytes[random() % span] = static_cast<std::uint8_t>(random());
            testing::writeBytes(dir / "db1.mdb", bytes);
            int number = 0;
            try {
                if (table == "CORE_DATA") // as start-up opens it: every field read
                    (void)readCoreCatalogue(dir / "db1.mdb");
                else
                    (void)readCatalogueTable(dir / "db1.mdb", table);
            } catch (const CatalogueError& e) {
                number = e.number();
            }
            EXPECT_TRUE(std::set<int>({0, 6, 13, 94, 380, 3021, 3078, 3265, 3343}).count(number))
                << table << " round " << round << " gave " << number;
            outcomes[number] += 1;
        }
    }
    EXPECT_GT(outcomes[0], 0) << "damage in unused bytes leaves a readable file";
    EXPECT_GT(outcomes[3343], 0) << "damage where the checks look is refused";
}

jet::ChildTrouble::Kind troubleOf(const jet::IsolatedResult& result)
{
    const auto* trouble = std::get_if<jet::ChildTrouble>(&result);
    if (!trouble)
        throw std::runtime_error("the child delivered an answer");
    return trouble->kind;
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LOUT_TEST_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LOUT_TEST_SANITIZED 1
#endif

TEST(Isolation, AChildThatCrashesHangsSpinsHoardsOrGarblesEndsAsAFailure)
{
    using Kind = jet::ChildTrouble::Kind;
    jet::IsolationLimits quick;
    quick.wallClock = std::chrono::milliseconds(300);
    jet::IsolationLimits oneSecondOfProcessor;
    oneSecondOfProcessor.cpuSeconds = 1;
    jet::IsolationLimits littleMemory;
    littleMemory.extraAddressSpace = std::size_t{64} << 20;
    const struct {
        const char* what;
        jet::ChildWork work;
        jet::IsolationLimits limits;
        Kind kind;
    } children[] = {
        {"a null pointer", [](jet::StreamWriter&) { *static_cast<volatile int*>(nullptr) = 1; }, {}, Kind::Crashed},
        {"an abort", [](jet::StreamWriter&) { std::abort(); }, {}, Kind::Crashed},
        {"a hang", [](jet::StreamWriter&) { ::pause(); }, quick, Kind::TimedOut},
        {"a spin",
         [](jet::StreamWriter&) {
             volatile unsigned long turns = 0;
             for (;;)
                 turns = turns + 1;
         },
         oneSecondOfProcessor, Kind::Crashed},
#ifndef LOUT_TEST_SANITIZED // sanitizers reserve vast address space: no cap there
        {"a hoard", [](jet::StreamWriter& out) { out.column(0x0A, std::string(std::size_t{1} << 30, 'x')); },
         littleMemory, Kind::Crashed},
#endif
        {"no end", [](jet::StreamWriter& out) { out.column(0x0A, "TYPE"); }, {}, Kind::Garbled},
        {"a short row",
         [](jet::StreamWriter& out) {
             out.column(0x0A, "TYPE");
             out.column(0x07, "Co_Ae");
             out.rowStart(2);
             out.cell(jet::RawCell::Kind::Null, {});
             out.end();
         },
         {}, Kind::Garbled},
        {"a wide row",
         [](jet::StreamWriter& out) {
             out.column(0x0A, "TYPE");
             out.rowStart(3);
             out.end();
         },
         {}, Kind::Garbled},
        {"a complete answer, then a failing exit",
         [](jet::StreamWriter& out) {
             out.column(0x0A, "TYPE");
             out.end();
             out.flush();
             ::_exit(1);
         },
         {}, Kind::Crashed},
    };
    for (const auto& child : children) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(troubleOf(jet::runIsolated(child.work, child.limits)), child.kind) << child.what;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << child.what;
    }
    const jet::IsolatedResult fine = jet::runIsolated([](jet::StreamWriter& out) {
        out.column(0x0A, "TYPE");
        out.rowStart(1);
        out.cell(jet::RawCell::Kind::Text, "EE19");
        out.end();
    });
    ASSERT_TRUE(std::holds_alternative<jet::RawTable>(fine));
    EXPECT_EQ(std::get<jet::RawTable>(fine).rows.at(0).at(0).data, "EE19");
}

TEST(Isolation, ASlowReadOrAnAnswerTooLongIsStoppedAtItsLimit)
{
    ScratchDir dir;
    const auto bytes = sampleCatalogue(dir, 10000);
    jet::IsolationLimits slow;
    slow.wallClock = std::chrono::milliseconds(1);
    EXPECT_EQ(troubleOf(jet::readTableIsolated(bytes, "CORE_DATA", "CP1252", slow)), jet::ChildTrouble::Kind::TimedOut);
    jet::IsolationLimits wordy;
    wordy.maxStreamBytes = 1000;
    EXPECT_EQ(troubleOf(jet::readTableIsolated(bytes, "CORE_DATA", "CP1252", wordy)), jet::ChildTrouble::Kind::Garbled);
    // And the same file reads in full with the ordinary limits.
    EXPECT_TRUE(std::holds_alternative<jet::RawTable>(jet::readTableIsolated(bytes, "CORE_DATA", "CP1252")));
}

TEST(ReadSandbox, ATakenOverReaderIsEndedAtItsFirstStepBeyondReading)
{
    // What code planted by a file would try first, each in a child that
    // enters the filter as the reader does and then would answer.
    ScratchDir dir;
    testing::writeBytes(dir / "private", {'x'});
    const auto name = (dir / "private").string();
    const int privateFile = ::open(name.c_str(), O_RDWR);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const struct {
        const char* what;
        std::function<void()> attempt;
    } attempts[] = {
        {"open a file", [&] { (void)::open(name.c_str(), O_RDONLY); }},
        {"open a socket", [] { (void)::socket(AF_INET, SOCK_STREAM, 0); }},
        {"start a process", [] { if (::fork() == 0) ::_exit(0); }},
        {"run a program", [] { ::execl("/bin/true", "true", nullptr); }},
        {"trace itself", [] { (void)::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr); }},
        {"change its user", [] { [[maybe_unused]] const int refused = ::setuid(0); }},
        {"write to a pipe it inherited", [&] { (void)!::write(pipeEnds[1], "x", 1); }},
        {"map executable memory",
         [] { (void)::mmap(nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0); }},
        {"map a file it inherited",
         [&] { (void)::mmap(nullptr, 1, PROT_READ | PROT_WRITE, MAP_SHARED, privateFile, 0); }},
    };
    for (const auto& attempt : attempts) {
        const auto result = jet::runIsolated([&](jet::StreamWriter& out) {
            jet::enterReadSandbox(out);
            attempt.attempt();
            out.column(0x0A, "TYPE");
            out.end();
        });
        const auto* trouble = std::get_if<jet::ChildTrouble>(&result);
        EXPECT_TRUE(trouble && trouble->kind == jet::ChildTrouble::Kind::Forbidden) << attempt.what;
    }
    for (const int fd : {privateFile, pipeEnds[0], pipeEnds[1]})
        ::close(fd);
}

TEST(ReadSandbox, WithoutTheFilterReadingGoesOnAndTheUserIsToldOnce)
{
    ScratchDir dir;
    const auto bytes = sampleCatalogue(dir, 3000);
    // Under the filter, forked from a thread whose own heap must grow.
    jet::IsolatedResult guarded;
    std::thread([&] { guarded = jet::readTableIsolated(bytes, "CORE_DATA", "CP1252"); }).join();
    ASSERT_TRUE(std::holds_alternative<jet::RawTable>(guarded));
    const auto rows = std::get<jet::RawTable>(guarded).rows;
    ASSERT_EQ(rows.size(), 3000u);

    // A kernel without seccomp, twice.
    ::testing::internal::CaptureStderr();
    for (int read = 0; read < 2; ++read) {
        const auto result = jet::readTableIsolated(bytes, "CORE_DATA", "CP1252", {}, [](void*) { return -ENOSYS; });
        ASSERT_TRUE(std::holds_alternative<jet::RawTable>(result)) << read;
        EXPECT_TRUE(std::get<jet::RawTable>(result).rows == rows);
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    const std::string warning = "警告：无法启用读取进程的系统调用过滤（内核拒绝载入过滤规则：" + std::string(std::strerror(ENOSYS));
    EXPECT_EQ(said.find(warning), said.rfind(warning)) << said;
    EXPECT_NE(said.find(warning), std::string::npos) << said;
}

} // namespace
} // namespace lout
