#include <cmath>

#include "board/geometry.h"
#include "interaction/mouse_handlers.h"
#include "platform/form_host.h"
#include "platform/int16.h"

using geometry::boardEdge;

namespace {
// Strictly inside the board on both axes.
bool onBoard(double x, double y, double cellSize) {
    return x > 0 && x < boardEdge(cellSize) && y > 0 && y < boardEdge(cellSize);
}
}  // namespace

void MouseHandlers::mouseUp(int /*button*/, int /*shift*/, float x, float y) {
    if (const std::optional<int> index = movingPiece()) {
        VIDEVER& piece = m_form.pieceAt(*index);
        piece.SH_MOUSEUP();
        // The pointer decides the target, not the drawn centre, which is offset by the grab.
        piece.setX(x);
        piece.setY(y);
        piece.setX(geometry::snapToCentre(m_form.CellSize, piece.X()));
        piece.setY(geometry::snapToCentre(m_form.CellSize, piece.Y()));

        const double edge = boardEdge(m_form.CellSize);
        const bool fromBoard = onBoard(m_form.DragStartX, m_form.DragStartY, m_form.CellSize);
        if (fromBoard) {
            const bool offBoard =
                piece.X() > edge || piece.Y() > edge || piece.X() < 0 || piece.Y() < 0;
            if (offBoard) {
                fileIntoTray(*index);
            } else if (squareTaken(*index) || onWhiteSquare(piece)) {
                ReturnPiece(toInt16(*index));
            }
        } else if (!onBoard(piece.X(), piece.Y(), m_form.CellSize) || squareTaken(*index) ||
                   onWhiteSquare(piece)) {
            // A tray piece can only go back onto a free black square.
            ReturnPiece(toInt16(*index));
        } else {
            freeTrayCellOf(piece);
        }
    }
    m_form.Redraw();
}

bool MouseHandlers::squareTaken(int index) const {
    const VIDEVER& moving = m_form.pieceAt(index);
    const std::int16_t count = toInt16(static_cast<double>(m_form.Pieces.size()));
    for (int other = 1; other <= count; ++other) {
        if (other != index && m_form.pieceAt(other).X() == moving.X() &&
            m_form.pieceAt(other).Y() == moving.Y()) {
            return true;
        }
    }
    return false;
}

bool MouseHandlers::onWhiteSquare(const VIDEVER& piece) const {
    // For a square centre these are the column and row counted from 1.
    const double column = std::floor((piece.X() + m_form.CellSize / 2 + 1) / m_form.CellSize);
    const double row = std::floor((piece.Y() + m_form.CellSize / 2 + 1) / m_form.CellSize);
    return std::fmod(column + row, 2.0) != 0;
}

void MouseHandlers::ReturnPiece(std::int16_t index) {
    m_host.beep();
    VIDEVER& piece = m_form.pieceAt(index);
    piece.setX(m_form.DragStartX);
    piece.setY(m_form.DragStartY);
}
