// Damaged and hostile catalogue files. Every check made before libmdb reads
// a file, tried on databases Access made: the real file passes, a copy
// damaged where the check looks is refused (error 3343). Run on a Jet 4 file
// (Access 2000) and a Jet 3 file (Access 97), whose pages lay the same
// fields out differently. What gets past is read in a child: one that
// crashes, hangs, runs wild or garbles its answer ends as a failure, never
// a crash or a hang of the program; and a reader taken over by its file can
// do nothing but read. (Random damage to real files is the fuzzer's:
// fuzz/catalogue, replayed in the suite as replay_catalogue.)
#include "catalogue/catalogue_errors.h"
#include "catalogue/catalogue_table.h"
#include "catalogue/isolated_read.h"
#include "catalogue/sanitized_build.h"
#include "catalogue_fixtures.h"
#include "jet/bytes.h"
#include "jet/precheck.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/ptrace.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace lout {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Two Access-made files of one user table, "Table", and where their pages
// keep what the checks look at (found with mdb-export's MSysObjects and the
// page headers).
struct AccessFile {
    const char* name;
    std::size_t pageSize;
    std::size_t rowCountAt;   // data and long-value pages
    std::size_t columnsAt;    // definitions
    std::size_t realIndexesAt;
    std::size_t ownedMapAt;
    std::uint32_t userDefinition; // the definition page of "Table"
    std::size_t longValuePage;    // a long-value page with deleted rows
    std::size_t userDataPage;     // a data page of "Table" with a deleted row
};

const AccessFile kJet4{"delTestV2000.mdb", 4096, 12, 45, 51, 55, 23, 16, 31};
const AccessFile kJet3{"delTestV1997.mdb", 2048, 8, 25, 31, 35, 29, 20, 31};

Bytes original(const AccessFile& f) { return testing::readBytes(std::filesystem::path(LOUT_ACCESS_CORPUS) / f.name); }

std::size_t at(const AccessFile& f, std::size_t page, std::size_t offset) { return page * f.pageSize + offset; }

int openNumber(const Bytes& bytes, const std::string& table = std::string(kCoreTableName))
{
    testing::ScratchDir dir;
    testing::writeBytes(dir / "db1.mdb", bytes);
    return testing::refusalOf([&] { (void)readCatalogueTable(dir / "db1.mdb", table); }).number;
}

struct Damage {
    const char* what;
    std::function<void(const AccessFile&, Bytes&)> apply;
};

// Damage to what the check before any reading looks at.
const std::vector<Damage> kFileDamage = {
    {"unknown version", [](const AccessFile&, Bytes& b) { b[0x14] = 0x09; }},
    {"page 0 is not a header", [](const AccessFile&, Bytes& b) { b[0] = 0x01; }},
    {"cut by one byte", [](const AccessFile&, Bytes& b) { b.pop_back(); }},
    {"page 2 holds no definition", [](const AccessFile& f, Bytes& b) { b[at(f, 2, 0)] = 0x04; }},
    {"catalogue definition continues past the end",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, 4), static_cast<std::uint32_t>(b.size() / f.pageSize + 5)); }},
    {"catalogue definition continues on itself", [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, 4), 2); }},
    {"catalogue definition continues on a data page",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, 4), static_cast<std::uint32_t>(f.userDataPage)); }},
    {"more columns than a table can have", [](const AccessFile& f, Bytes& b) { jet::putU16(b, at(f, 2, f.columnsAt), 300); }},
    {"index entries beyond the definition", [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, f.realIndexesAt), 1000); }},
    {"usage map on a missing page",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, f.ownedMapAt), static_cast<std::uint32_t>(b.size() / f.pageSize + 3) << 8); }},
    {"usage map on a missing row", [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, 2, f.ownedMapAt), (6u << 8) | 200u); }},
    {"usage map of zero length",
     [](const AccessFile& f, Bytes& b) {
         // The catalogue's map is row 0 of page 6 in both files; row 0 ends at the page end.
         jet::putU16(b, at(f, 6, f.rowCountAt + 2), static_cast<unsigned>(f.pageSize));
     }},
    {"row offsets beyond the long-value page",
     [](const AccessFile& f, Bytes& b) { jet::putU16(b, at(f, f.longValuePage, f.rowCountAt), 3000); }},
    {"long-value row inside the offset table",
     [](const AccessFile& f, Bytes& b) { jet::putU16(b, at(f, f.longValuePage, f.rowCountAt + 2 + 2 * 4), 6); }},
    {"data row overlapping the row before",
     [](const AccessFile& f, Bytes& b) {
         const std::size_t slot = at(f, f.userDataPage, f.rowCountAt + 2 + 2 * 1);
         jet::putU16(b, slot, jet::readU16(b, at(f, f.userDataPage, f.rowCountAt + 2)) + 4);
     }},
};

// Damage to the definition of the table asked for, which only the system
// catalogue names: checked in the isolated read, once the page is known.
const std::vector<Damage> kTableDamage = {
    {"definition continues past the end",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, f.userDefinition, 4), 0x00FFFFFF); }},
    {"definition continues on itself",
     [](const AccessFile& f, Bytes& b) { jet::putU32(b, at(f, f.userDefinition, 4), f.userDefinition); }},
    {"more columns than a table can have",
     [](const AccessFile& f, Bytes& b) { jet::putU16(b, at(f, f.userDefinition, f.columnsAt), 0xFFFF); }},
    {"usage map of zero length",
     [](const AccessFile& f, Bytes& b) {
         // Point the owned map at a deleted (zero-length) long-value row,
         // which crashes libmdb 1.0 when it follows it.
         jet::putU32(b, at(f, f.userDefinition, f.ownedMapAt), static_cast<std::uint32_t>(f.longValuePage << 8 | 1));
     }},
};

class PrecheckRules : public ::testing::TestWithParam<AccessFile> {};

TEST_P(PrecheckRules, EachDamagedCopyIsRefusedBeforeTheLibraryReadsIt)
{
    for (const Damage& damage : kFileDamage) {
        Bytes bytes = original(GetParam());
        damage.apply(GetParam(), bytes);
        EXPECT_FALSE(jet::precheckJetFile(bytes).header) << damage.what;
        EXPECT_EQ(openNumber(bytes, "Table"), catalogue_errors::kUnrecognisedFormat) << damage.what;
    }
}

TEST_P(PrecheckRules, ADamagedTableDefinitionIsRefusedWhenThatTableIsRead)
{
    for (const Damage& damage : kTableDamage) {
        Bytes bytes = original(GetParam());
        damage.apply(GetParam(), bytes);
        EXPECT_TRUE(jet::precheckJetFile(bytes).header) << damage.what << ": no other table is read through it";
        const jet::IsolatedResult result = jet::readTableIsolated(bytes, "Table", "CP1252");
        const auto* failure = std::get_if<jet::StreamFailure>(&result);
        ASSERT_NE(failure, nullptr) << damage.what << ": the library must not have run into it";
        EXPECT_EQ(failure->why, jet::ReadFailure::Damaged) << damage.what;
        EXPECT_EQ(openNumber(bytes, "Table"), catalogue_errors::kUnrecognisedFormat) << damage.what;
        EXPECT_EQ(openNumber(bytes), catalogue_errors::kTableNotFound) << damage.what;
    }
}

Bytes withDatabaseKey(Bytes bytes, std::uint32_t key)
{
    const jet::Version version = bytes[0x14] == 0 ? jet::Version::Jet3 : jet::Version::Jet4;
    const std::span<std::uint8_t> page0(bytes.data(), 0x100);
    jet::applyHeaderCipher(page0, version);
    jet::putU32(page0, 0x3E, key);
    jet::applyHeaderCipher(page0, version);
    return bytes;
}

TEST_P(PrecheckRules, AnEncodedDatabaseReadsAsTheOriginal)
{
    // Access 97 and 2000 can encode a database: pages after the header are
    // RC4-enciphered with the database key XOR the page number. RC4 is its
    // own inverse, so deciphering a plain file marked with a key enciphers
    // it. libmdb deciphers on its own: mdb-export vouches for the result.
    const Bytes plain = original(GetParam());
    const std::uint32_t key = 0x5A17C0DE;
    Bytes encoded = withDatabaseKey(plain, key);
    jet::decipherPages(encoded);
    encoded = withDatabaseKey(encoded, key);
    ASSERT_NE(Bytes(encoded.begin() + static_cast<std::ptrdiff_t>(GetParam().pageSize), encoded.end()),
              Bytes(plain.begin() + static_cast<std::ptrdiff_t>(GetParam().pageSize), plain.end()));

    testing::ScratchDir dir;
    testing::writeBytes(dir / "plain.mdb", plain);
    testing::writeBytes(dir / "encoded.mdb", encoded);
    const CatalogueTable fromPlain = readCatalogueTable(dir / "plain.mdb", "Table");
    const CatalogueTable fromEncoded = readCatalogueTable(dir / "encoded.mdb", "Table");
    EXPECT_EQ(fromEncoded.columns, fromPlain.columns);
    EXPECT_EQ(fromEncoded.rows, fromPlain.rows);
    EXPECT_FALSE(fromPlain.rows.empty());
    const auto exported = [&](const char* name) {
        return testing::runCommand("mdb-export " + testing::shellQuoted((dir / name).string()) + " Table").output;
    };
    EXPECT_EQ(exported("encoded.mdb"), exported("plain.mdb"));
}

INSTANTIATE_TEST_SUITE_P(AccessMade, PrecheckRules, ::testing::Values(kJet4, kJet3),
                         [](const auto& file) { return file.param.pageSize == 4096 ? "Jet4" : "Jet3"; });

// A catalogue of `rows` models, as the writer makes it.
std::vector<std::uint8_t> sampleCatalogue(std::size_t rows)
{
    JetTable table = testing::coreTable({});
    for (std::size_t i = 0; i < rows; ++i)
        table.rows.push_back({"EE" + std::to_string(i) + "(锰锌)", i % 2 ? FieldValue{std::string("E")} : FieldValue{},
                              1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 0.5});
    return jet4DatabaseBytes(table);
}

jet::ChildTrouble::Kind troubleOf(const jet::IsolatedResult& result)
{
    const auto* trouble = std::get_if<jet::ChildTrouble>(&result);
    if (!trouble)
        throw std::runtime_error("the child delivered an answer");
    return trouble->kind;
}

TEST(Isolation, AChildThatCrashesHangsSpinsHoardsOrGarblesEndsAsAFailure)
{
    using Kind = jet::ChildTrouble::Kind;
    jet::IsolationLimits quick;
    quick.wallClock = std::chrono::milliseconds(300);
    jet::IsolationLimits oneSecondOfProcessor;
    oneSecondOfProcessor.cpuSeconds = 1;
    jet::IsolationLimits littleMemory;
    littleMemory.extraAddressSpace = std::size_t{64} << 20;
    jet::IsolationLimits fewBytes;
    fewBytes.maxStreamBytes = 1000;
    const struct {
        const char* what;
        jet::ChildWork work;
        jet::IsolationLimits limits;
        Kind kind;
    } children[] = {
        {"a null pointer", [](jet::StreamWriter&) { *static_cast<volatile int*>(nullptr) = 1; }, {}, Kind::Crashed},
        {"a hang", [](jet::StreamWriter&) { ::pause(); }, quick, Kind::TimedOut},
        {"a spin",
         [](jet::StreamWriter&) {
             volatile unsigned long turns = 0;
             for (;;)
                 turns = turns + 1;
         },
         oneSecondOfProcessor, Kind::Crashed},
#ifndef LOUT_SANITIZED // sanitizers reserve vast address space: no cap there
        {"a hoard", [](jet::StreamWriter& out) { out.column(0x0A, std::string(std::size_t{1} << 30, 'x')); },
         littleMemory, Kind::Crashed},
#endif
        {"no end", [](jet::StreamWriter& out) { out.column(0x0A, "TYPE"); }, {}, Kind::Garbled},
        {"an answer too long",
         [](jet::StreamWriter& out) {
             out.column(0x0A, std::string(2000, 'x'));
             out.end();
         },
         fewBytes, Kind::Garbled},
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
}

TEST(ReadSandbox, ATakenOverReaderIsEndedAtItsFirstStepBeyondReading)
{
    // What code planted by a file would try first, each in a child that
    // enters the filter as the reader does and then would answer.
    const int privateFile = ::memfd_create("private", 0);
    ASSERT_EQ(::ftruncate(privateFile, 1), 0);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const struct {
        const char* what;
        std::function<void()> attempt;
    } attempts[] = {
        {"open a file", [] { (void)::open("/etc/passwd", O_RDONLY); }},
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
        EXPECT_EQ(troubleOf(result), jet::ChildTrouble::Kind::Forbidden) << attempt.what;
    }
    for (const int fd : {privateFile, pipeEnds[0], pipeEnds[1]})
        ::close(fd);
}

TEST(ReadSandbox, WithoutTheFilterReadingGoesOnAndTheUserIsToldOnce)
{
    const auto bytes = sampleCatalogue(3000);
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
