// Opening a 10,000-row catalogue and listing every model, as start-up does;
// opening a catalogue of the bundled one's size, where the guarded reader's
// own cost (fork, limits, system-call filter) is most of the time; opening
// and listing the largest table of the databases Access made.
#include "catalogue/catalogue_table.h"
#include "catalogue/core_catalogue.h"
#include "bench/scratch_catalogue.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// `rows` models named out of order, one Chinese text column among them.
lout::JetTable writtenCatalogue(int rows)
{
    lout::JetTable table{"CORE_DATA",
                         {{"TYPE", lout::JetType::Text}, {"Co_Family", lout::JetType::Text},
                          {"A", lout::JetType::Double}, {"B", lout::JetType::Double},
                          {"C", lout::JetType::Double}, {"D", lout::JetType::Double},
                          {"E", lout::JetType::Double}, {"F", lout::JetType::Double},
                          {"Co_Ae", lout::JetType::Double}},
                         {}};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({"EE" + std::to_string((i * 7919) % 10000) + "(锰锌)", std::string("E型磁芯"), i / 7.0,
                              8.0, 4.8, 4.8, 5.7, 3.5, 0.2304});
    return table;
}

void openAndList(benchmark::State& state, int rows)
{
    const lout::bench::ScratchCatalogue catalogue(writtenCatalogue(rows));
    for (auto _ : state) {
        const lout::CoreCatalogue read = lout::readCoreCatalogue(catalogue.file());
        std::size_t listed = 0;
        for (const lout::CatalogueCore& core : read.cores)
            listed += core.name.size();
        benchmark::DoNotOptimize(listed);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_OpenAndListTenThousandModels(benchmark::State& state)
{
    openAndList(state, 10000);
}
BENCHMARK(BM_OpenAndListTenThousandModels)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenAndListSeventyModels(benchmark::State& state)
{
    openAndList(state, 70); // as many as the bundled catalogue
}
BENCHMARK(BM_OpenAndListSeventyModels)->Unit(benchmark::kMillisecond)->UseRealTime();

// compIndexTestV2003.mdb: 512 rows in Access 2003's own layout (indexes,
// long-value pages, system tables), the largest table of the corpus.
void BM_OpenAndListLargestAccessTable(benchmark::State& state)
{
    const std::filesystem::path file = LOUT_ACCESS_CORPUS "/compIndexTestV2003.mdb";
    std::size_t rows = 0;
    for (auto _ : state) {
        const lout::CatalogueTable table = lout::readCatalogueTable(file, "Table1");
        std::size_t listed = 0;
        for (const auto& row : table.rows)
            listed += lout::textValue(row[0]).value_or(std::string()).size();
        benchmark::DoNotOptimize(listed);
        rows = table.rows.size();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows));
}
BENCHMARK(BM_OpenAndListLargestAccessTable)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
