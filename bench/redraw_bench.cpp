#include <benchmark/benchmark.h>

#include "offscreen_board.h"

namespace {
void BM_Redraw(benchmark::State& state) {
    OffscreenBoard board(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Redraw is private. A pointer move with no piece marked is exactly one Redraw plus 24
        // MOVE calls that change nothing.
        board.form.mouseMove(0, 0, 1, 1);
        board.showChanges();
    }
}
}  // namespace

BENCHMARK(BM_Redraw)->Arg(20)->Arg(40)->Arg(60);
