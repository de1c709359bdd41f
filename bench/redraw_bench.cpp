#include <benchmark/benchmark.h>

#include "bench_board.h"

namespace {
// One full repaint: every shape drawn again and painted anew, as after a new size or a screen
// of another scale.
void BM_Redraw(benchmark::State& state) {
    BenchBoard board(static_cast<int>(state.range(0)));
    const QSize size = board.surface.size();
    for (auto _ : state) {
        state.PauseTiming();
        // A new image: nothing of the last picture is kept.
        board.surface.resize(size + QSize(1, 0), 1);
        board.surface.resize(size, 1);
        state.ResumeTiming();
        board.form.Redraw();
        board.showChanges();
    }
}
}  // namespace

BENCHMARK(BM_Redraw)->Arg(20)->Arg(40)->Arg(60);
