#include <benchmark/benchmark.h>

#include "bench_board.h"

namespace {
void BM_Release(benchmark::State& state) {
    BenchBoard board(40);
    // A red piece's square and the free black square diagonally below it: each release carries
    // the piece to the other one, so every release snaps, checks and is accepted.
    const QPointF squares[2] = {board.centre(0, 2), board.centre(1, 3)};
    int from = 0;
    for (auto _ : state) {
        // The press is timed too: it only hit-tests the pieces, cheaper than pausing the timer.
        const QPointF& source = squares[from];
        const QPointF& target = squares[1 - from];
        board.mouse.mouseDown(1, 0, static_cast<float>(source.x()), static_cast<float>(source.y()));
        board.mouse.mouseUp(1, 0, static_cast<float>(target.x()), static_cast<float>(target.y()));
        board.showChanges();
        from = 1 - from;
    }
    if (board.host.beeps() != 0) {
        state.SkipWithError("a release was refused");
    }
}
}  // namespace

BENCHMARK(BM_Release);
