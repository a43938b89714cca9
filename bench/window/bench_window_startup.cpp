// Start-up and waiting of the window on a nine-model catalogue. Start-up's
// six recomputations each wait 100 ms for pending events before drawing, so
// what counts is the time start-up adds to those 600 ms: in process, and
// from process start to the first shown window (a child copy of this
// benchmark plays the program). The wait itself should use almost no
// processor time.
#include "jet/writer.h"
#include "window/event_wait.h"
#include "window/lout.h"
#include "window/run_lout.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstring>
#include <string>

namespace {

constexpr double kMandatedWaitsMs = 600.0;
constexpr const char* kChildFlag = "--first-show-child";

std::filesystem::path writeCatalogue(const QTemporaryDir& dir)
{
    lout::JetTable table{"CORE_DATA", {{"TYPE", lout::JetType::Text}, {"Co_Ae", lout::JetType::Double}}, {}};
    for (const char* dim : {"A", "B", "C", "D", "E", "F"})
        table.columns.push_back({dim, lout::JetType::Double});
    for (int i = 0; i < 9; ++i)
        table.rows.push_back({std::string("EE") + std::to_string(20 + i), 0.5 + 0.1 * i, 40.0, 28.0, 12.0, 10.0,
                              10.0, 20.0});
    const auto file = std::filesystem::path(dir.path().toStdString()) / "db1.mdb";
    lout::writeJet4Database(file, table);
    return file;
}

double elapsedMs(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

double processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

void StartUpInProcess(benchmark::State& state)
{
    auto& app = *static_cast<QApplication*>(QCoreApplication::instance());
    const QTemporaryDir dir;
    const std::filesystem::path catalogue = writeCatalogue(dir);
    double ownMs = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        auto window = lout::startLout(app, catalogue, {});
        ownMs += elapsedMs(begin) - kMandatedWaitsMs;
        benchmark::DoNotOptimize(window.get());
    }
    state.counters["own_ms"] = benchmark::Counter(ownMs / static_cast<double>(state.iterations()));
}
BENCHMARK(StartUpInProcess)->Unit(benchmark::kMillisecond)->Iterations(5);

// Process start to the first shown window, as the program starts.
void StartUpToFirstShow(benchmark::State& state)
{
    const QTemporaryDir dir;
    const std::filesystem::path catalogue = writeCatalogue(dir);
    double ownMs = 0;
    for (auto _ : state) {
        QProcess child;
        const auto begin = std::chrono::steady_clock::now();
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kChildFlag), QString::fromStdString(catalogue.string())});
        const bool shown = child.waitForReadyRead(30'000);
        ownMs += elapsedMs(begin) - kMandatedWaitsMs;
        child.waitForFinished(30'000);
        if (!shown || child.exitCode() != 0) {
            state.SkipWithError("the child did not show its window");
            return;
        }
    }
    state.counters["own_ms"] = benchmark::Counter(ownMs / static_cast<double>(state.iterations()));
}
BENCHMARK(StartUpToFirstShow)->Unit(benchmark::kMillisecond)->Iterations(5);

// Processor time spent in one 100 ms wait of the window.
void WaitProcessorTime(benchmark::State& state)
{
    auto& app = *static_cast<QApplication*>(QCoreApplication::instance());
    const QTemporaryDir dir;
    auto window = lout::startLout(app, writeCatalogue(dir), {});
    double cpuMs = 0;
    for (auto _ : state) {
        const double before = processorMs();
        lout::waitHandlingEvents(100);
        cpuMs += processorMs() - before;
    }
    state.counters["cpu_ms_per_wait"] = benchmark::Counter(cpuMs / static_cast<double>(state.iterations()));
}
BENCHMARK(WaitProcessorTime)->Unit(benchmark::kMillisecond)->Iterations(10);

// The child: start the window as the program does, report when it is on
// screen, and leave.
int firstShowChild(QApplication& app, const char* catalogue)
{
    auto window = lout::startLout(app, catalogue, {});
    if (!window)
        return 1;
    window->show();
    if (QWindow* handle = window->windowHandle())
        while (!handle->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], kChildFlag) == 0)
        return firstShowChild(app, argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
