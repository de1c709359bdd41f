#include "offscreen_board.h"

#include <QFile>
#include <stdexcept>
#include <string>

#include "board/geometry.h"

OffscreenBoard::OffscreenBoard(int side)
    : fileMenu(form, {folder.filePath(QStringLiteral("Videver.txt"))}) {
    form.onLoad();
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

QPointF OffscreenBoard::centre(int column, int row) const {
    return {geometry::gridCentre(form.CellSize, column), geometry::gridCentre(form.CellSize, row)};
}
