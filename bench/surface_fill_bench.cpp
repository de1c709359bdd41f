#include <benchmark/benchmark.h>

#include <QImage>

#include "bench_board.h"
#include "platform/colours.h"

namespace {
// The floor for a repaint: one fill of an image exactly as large as the client-area surface.
void BM_SurfaceFill(benchmark::State& state) {
    const BenchBoard board(static_cast<int>(state.range(0)));
    QImage image(board.surface.image().size(), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(colours::background);
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(image.width()) * image.height();
}
}  // namespace

BENCHMARK(BM_SurfaceFill)->Arg(20)->Arg(40)->Arg(60);
