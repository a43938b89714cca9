// Packing and drawing of one winding picture (25 × 65 px at 1/15 px per
// twip, as a 375-twip-wide window picture at 96 dpi).
#include "drawing/circle_packing.h"
#include "drawing/winding_image.h"

#include <benchmark/benchmark.h>

namespace {

using lout::Winding;

constexpr float usableHeight = 17.8f;
constexpr float twipsPerMm = 54.347828f;
constexpr double pixelsPerTwip = 1.0 / 15.0;

// 255 turns of 255 strands thin enough that one turn fills a column: all
// 65,025 circles packed into 255 columns, about a sixth of them inside.
const Winding largest{usableHeight, twipsPerMm, 255, 255, 0.06f};
// 255 × 255 of 0.42 mm wire: no turn fits the window, nothing is packed.
const Winding largestTooThick{usableHeight, twipsPerMm, 255, 255, 0.42f};
// 255 turns of 23 strands of 0.42 mm: 255 columns, all but 13 beyond the picture.
const Winding manyColumns{usableHeight, twipsPerMm, 255, 23, 0.42f};
// The window's opening design: 23 turns of 29 strands.
const Winding opening{usableHeight, twipsPerMm, 23, 29, 0.42f};

void packAll(benchmark::State& state, const Winding& w)
{
    std::size_t circles = 0;
    for (auto _ : state) {
        circles = 0;
        lout::packWinding(w, [&](const lout::Circle& c) {
            benchmark::DoNotOptimize(c);
            ++circles;
        });
    }
    state.counters["circles"] = static_cast<double>(circles);
}

void draw(benchmark::State& state, const Winding& w)
{
    QImage image(25, 65, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        lout::drawWinding(image, Qt::white, w, QColor(255, 0, 0), pixelsPerTwip);
        benchmark::DoNotOptimize(image.constBits());
    }
    std::size_t visible = 0;
    lout::packVisibleWinding(w, lout::DrawingBounds{0.0, 0.0, 375.0, 975.0}, [&](const lout::Circle&) { ++visible; });
    state.counters["visible"] = static_cast<double>(visible);
}

void packVisible(benchmark::State& state, const Winding& w)
{
    std::size_t circles = 0;
    for (auto _ : state) {
        circles = 0;
        lout::packVisibleWinding(w, lout::DrawingBounds{0.0, 0.0, 375.0, 975.0}, [&](const lout::Circle& c) {
            benchmark::DoNotOptimize(c);
            ++circles;
        });
    }
    state.counters["circles"] = static_cast<double>(circles);
}

BENCHMARK_CAPTURE(packAll, largest_255x255, largest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(packAll, largest_too_thick, largestTooThick)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(packAll, many_columns_255x23, manyColumns)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(packAll, opening_23x29, opening)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(packVisible, largest_255x255, largest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(packVisible, many_columns_255x23, manyColumns)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(draw, largest_255x255, largest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(draw, largest_too_thick, largestTooThick)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(draw, many_columns_255x23, manyColumns)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(draw, opening_23x29, opening)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
