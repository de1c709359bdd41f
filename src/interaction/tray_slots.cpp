#include "board/geometry.h"
#include "interaction/mouse_handlers.h"
#include "platform/int16.h"

namespace {
// Tray cells fill row by row from the top, left to right within a row.
std::optional<TrayCell> firstFreeCell(const TrayGrid& tray) {
    for (std::int16_t row = TrayGrid::firstRow; row <= TrayGrid::lastRow; ++row) {
        for (std::int16_t column = TrayGrid::firstColumn; column <= TrayGrid::lastColumn;
             ++column) {
            if (tray(row, column) == 0) {
                return TrayCell{row, column};
            }
        }
    }
    return std::nullopt;
}

bool isRed(const VIDEVER& piece) {
    return piece.SH_TYPE() == 1;
}
}  // namespace

std::optional<TrayCell> MouseHandlers::FreeSlot1() const {
    return firstFreeCell(m_form.Tray1);
}

std::optional<TrayCell> MouseHandlers::FreeSlot2() const {
    return firstFreeCell(m_form.Tray2);
}

void MouseHandlers::fileIntoTray(int index) {
    VIDEVER& piece = m_form.pieceAt(index);
    const bool red = isRed(piece);
    const std::optional<TrayCell> cell = red ? FreeSlot1() : FreeSlot2();
    if (!cell) {
        // Only marks that no longer match the pieces can fill a tray; refuse rather than lose
        // the piece outside every cell.
        ReturnPiece(toInt16(index));
        return;
    }
    const int rowOffset = red ? geometry::redTrayRowOffset : geometry::blueTrayRowOffset;
    piece.setX(geometry::gridCentre(m_form.CellSize, cell->column + geometry::trayColumnOffset));
    piece.setY(geometry::gridCentre(m_form.CellSize, cell->row + rowOffset));
    (red ? m_form.Tray1 : m_form.Tray2)(cell->row, cell->column) = 1;
}

void MouseHandlers::freeTrayCellOf(const VIDEVER& piece) {
    if (!(m_form.DragStartX > geometry::boardEdge(m_form.CellSize))) {
        return;  // picked up on the board: no cell to free
    }
    const bool red = isRed(piece);
    const int rowOffset = red ? geometry::redTrayRowOffset : geometry::blueTrayRowOffset;
    const double column = roundHalfEven(
        geometry::trayIndexAt(m_form.CellSize, m_form.DragStartX, geometry::trayColumnOffset));
    const double row =
        roundHalfEven(geometry::trayIndexAt(m_form.CellSize, m_form.DragStartY, rowOffset));
    // A piece that a loaded file left away from a cell centre may point at no cell at all.
    if (TrayGrid::isCell(row, column)) {
        (red ? m_form.Tray1 : m_form.Tray2)(static_cast<int>(row), static_cast<int>(column)) = 0;
    }
}
