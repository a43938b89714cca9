// lout-design --all --fits over 10,000 models: the answer to "which core?"
// for a large catalogue of one's own, from reading the file to the ranked
// table, in process and as a process of its own.
#include "catalogue/core_catalogue.h"
#include "bench/scratch_catalogue.h"
#include "tools/catalogue_csv.h"
#include "tools/report_formats.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

extern char** environ;

namespace {

constexpr std::size_t kModels = 10000;

// The bundled cores again and again, each copy scaled (0.6 to 2.0 times its
// size, the area with the square) and named after its row: real shapes in
// many sizes, some that fit the opening design and many that do not.
lout::JetTable largeCatalogue()
{
    std::ifstream in(LOUT_CORES_CSV, std::ios::binary);
    const lout::JetTable bundled =
        lout::catalogueFromCsv(std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()})
            .table;
    lout::JetTable table{bundled.name, bundled.columns, {}};
    for (std::size_t i = 0; i < kModels; ++i) {
        std::vector<lout::FieldValue> row = bundled.rows[i % bundled.rows.size()];
        const double scale = 0.6 + 1.4 * static_cast<double>(i) / kModels;
        row[0] = std::get<std::string>(row[0]) + "-" + std::to_string(i);
        for (std::size_t dimension = 2; dimension < 8; ++dimension)
            row[dimension] = std::get<double>(row[dimension]) * scale;
        row[8] = std::get<double>(row[8]) * scale * scale;
        table.rows.push_back(std::move(row));
    }
    return table;
}

void BM_AllFitsInProcess(benchmark::State& state)
{
    const lout::bench::ScratchCatalogue catalogue(largeCatalogue());
    std::size_t fitting = 0;
    for (auto _ : state) {
        const lout::CoreCatalogue read = lout::readCoreCatalogue(catalogue.file());
        const lout::DesignReporter reporter(read, lout::startUpInputs());
        const std::vector<lout::CoreReport> ranked = lout::fittingCores(reporter.reportAll());
        benchmark::DoNotOptimize(lout::formatReports(ranked, lout::ReportFormat::Table));
        fitting = ranked.size();
    }
    state.counters["fitting"] = static_cast<double>(fitting);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kModels));
}
BENCHMARK(BM_AllFitsInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// The program from the shell's point of view: start, read, design, rank and
// print to /dev/null, exit.
void BM_AllFitsAsAProcess(benchmark::State& state)
{
    const lout::bench::ScratchCatalogue catalogue(largeCatalogue());
    const std::string file = catalogue.file().string();
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        char* const argv[] = {const_cast<char*>(LOUT_DESIGN_PROGRAM), const_cast<char*>("--catalogue"),
                              const_cast<char*>(file.c_str()), const_cast<char*>("--all"),
                              const_cast<char*>("--fits"), nullptr};
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, LOUT_DESIGN_PROGRAM, &actions, nullptr, argv, environ) != 0
            || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("lout-design did not run to a clean end");
        posix_spawn_file_actions_destroy(&actions);
    }
}
BENCHMARK(BM_AllFitsAsAProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
