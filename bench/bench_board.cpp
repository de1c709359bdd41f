#include "bench_board.h"

#include <QTemporaryDir>
#include <stdexcept>
#include <string>

#include "board/geometry.h"

namespace {
QString benchPositionFile() {
    static const QTemporaryDir folder;
    return folder.filePath(QStringLiteral("Videver.txt"));
}
}  // namespace

BenchBoard::BenchBoard(int side) : OffscreenBoard({benchPositionFile()}) {
    switch (side) {
        case 20:
            form.SmallClick();
            break;
        case 40:
            form.NormalClick();
            break;
        case 60:
            form.LargeClick();
            break;
        default:
            throw std::invalid_argument("the board has no square side " + std::to_string(side));
    }
    showChanges();
}

QPointF BenchBoard::centre(int column, int row) const {
    return {geometry::gridCentre(form.CellSize, column), geometry::gridCentre(form.CellSize, row)};
}
