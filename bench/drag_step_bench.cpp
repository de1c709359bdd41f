#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench_board.h"

namespace {
void BM_DragStep(benchmark::State& state) {
    BenchBoard board(40);
    Form1& form = board.form;
    const QPointF grab = board.centre(0, 2);
    board.mouse.mouseDown(1, 0, static_cast<float>(grab.x()), static_cast<float>(grab.y()));
    // Small steps over the empty middle rows, back and forth, as a hand drags.
    const QPointF steps[2] = {board.centre(2, 4), board.centre(2, 4) + QPointF(8, 6)};
    int step = 0;
    for (auto _ : state) {
        board.mouse.mouseMove(1, 0, static_cast<float>(steps[step].x()),
                              static_cast<float>(steps[step].y()));
        board.showChanges();
        step = 1 - step;
    }
    const bool dragging = std::any_of(form.Pieces.begin(), form.Pieces.end(),
                                      [](const VIDEVER& piece) { return piece.ISMOVING; });
    if (!dragging) {
        state.SkipWithError("no piece was being dragged");
    }
}
}  // namespace

BENCHMARK(BM_DragStep);
