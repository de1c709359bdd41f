#include <benchmark/benchmark.h>

#include "bench_board.h"

namespace {
// The position file lives in the board's temporary folder.
void BM_SaveLoad(benchmark::State& state) {
    BenchBoard board(40);
    for (auto _ : state) {
        board.fileMenu.SaveClick();
        board.fileMenu.LoadClick();
        board.showChanges();
    }
}
}  // namespace

BENCHMARK(BM_SaveLoad);
