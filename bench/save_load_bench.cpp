#include <benchmark/benchmark.h>

#include "offscreen_board.h"

namespace {
// The position file lives in the board's temporary folder.
void BM_SaveLoad(benchmark::State& state) {
    OffscreenBoard board(40);
    for (auto _ : state) {
        board.form.SaveClick();
        board.form.LoadClick();
        board.showChanges();
    }
}
}  // namespace

BENCHMARK(BM_SaveLoad);
