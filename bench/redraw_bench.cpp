#include <benchmark/benchmark.h>

#include "bench_board.h"

namespace {
// One full repaint, and the area it shows, as every pointer move over the window costs.
void BM_Redraw(benchmark::State& state) {
    BenchBoard board(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        board.form.Redraw();
        board.showChanges();
    }
}
}  // namespace

BENCHMARK(BM_Redraw)->Arg(20)->Arg(40)->Arg(60);
