#include <cmath>

#include "board/form1.h"
#include "board/geometry.h"
#include "platform/form_host.h"
#include "platform/int16.h"

using geometry::boardEdge;

namespace {
// Strictly inside the board on both axes.
bool onBoard(double x, double y, double cellSize) {
    return x > 0 && x < boardEdge(cellSize) && y > 0 && y < boardEdge(cellSize);
}
}  // namespace

void Form1::mouseUp(int /*button*/, int /*shift*/, float x, float y) {
    if (const std::optional<int> index = movingPiece()) {
        VIDEVER& piece = pieceAt(*index);
        piece.SH_MOUSEUP();
        // The pointer decides the target, not the drawn centre, which is offset by the grab.
        piece.setX(x);
        piece.setY(y);
        piece.setX(geometry::snapToCentre(CellSize, piece.X()));
        piece.setY(geometry::snapToCentre(CellSize, piece.Y()));

        const double edge = boardEdge(CellSize);
        const bool fromBoard = onBoard(DragStartX, DragStartY, CellSize);
        if (fromBoard) {
            const bool offBoard =
                piece.X() > edge || piece.Y() > edge || piece.X() < 0 || piece.Y() < 0;
            if (offBoard) {
                fileIntoTray(*index);
            } else if (squareTaken(*index) || onWhiteSquare(piece)) {
                ReturnPiece(toInt16(*index));
            }
        } else if (!onBoard(piece.X(), piece.Y(), CellSize) || squareTaken(*index) ||
                   onWhiteSquare(piece)) {
            // A tray piece can only go back onto a free black square.
            ReturnPiece(toInt16(*index));
        } else {
            freeTrayCellOf(piece);
        }
    }
    Redraw();
}

bool Form1::squareTaken(int index) {
    const VIDEVER& moving = pieceAt(index);
    const std::int16_t count = toInt16(static_cast<double>(Pieces.size()));
    for (int other = 1; other <= count; ++other) {
        if (other != index && pieceAt(other).X() == moving.X() &&
            pieceAt(other).Y() == moving.Y()) {
            return true;
        }
    }
    return false;
}

bool Form1::onWhiteSquare(const VIDEVER& piece) const {
    // For a square centre these are the column and row counted from 1.
    const double column = std::floor((piece.X() + CellSize / 2 + 1) / CellSize);
    const double row = std::floor((piece.Y() + CellSize / 2 + 1) / CellSize);
    return std::fmod(column + row, 2.0) != 0;
}

void Form1::ReturnPiece(std::int16_t index) {
    m_host.beep();
    VIDEVER& piece = pieceAt(index);
    piece.setX(DragStartX);
    piece.setY(DragStartY);
}
