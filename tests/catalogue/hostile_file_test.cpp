// Damaged and hostile catalogue files: every one ends in a catalogue error
// (or, when the damage spares what is read, a record set), never a crash or
// a hang of the program.
#include "catalogue/catalogue_table.h"
#include "catalogue/core_catalogue.h"
#include "catalogue/isolated_read.h"
#include "catalogue_fixtures.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
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
                    (void)CoreRecordSet::open(dir / "db1.mdb");
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

} // namespace
} // namespace lout
