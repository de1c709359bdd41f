#include "interaction/mouse_handlers.h"

#include <algorithm>
#include <cmath>

#include "board/geometry.h"
#include "platform/form_host.h"
#include "platform/int16.h"

using geometry::boardEdge;

namespace {
// Strictly inside the board on both axes. Not the opposite of the release's offBoard test, which
// takes the board's edges themselves as on the board: the two differ there on purpose.
bool onBoard(double x, double y, double cellSize) {
    return x > 0 && x < boardEdge(cellSize) && y > 0 && y < boardEdge(cellSize);
}

bool isRed(const VIDEVER& piece) {
    return piece.SH_TYPE() == 1;
}
}  // namespace

void MouseHandlers::mouseDown(int /*button*/, int /*shift*/, float x, float y) {
    m_outcome = {};
    // A second button pressed during a drag must not pick up a second piece: it would follow the
    // pointer after every button is up and could be left lying over another piece.
    if (movingPiece()) {
        return;
    }
    m_outcome.kind = MouseOutcome::NothingPickedUp;
    for (int position = 1; position <= m_form.pieceCount(); ++position) {
        VIDEVER& piece = m_form.pieceAt(position);
        if (piece.SH_MOUSEDOWN(x, y)) {
            m_form.DragStartX = piece.X();
            m_form.DragStartY = piece.Y();
            m_outcome = {MouseOutcome::PickedUp, position};
            break;
        }
    }
    m_form.LastMouseX = x;
    m_form.LastMouseY = y;
}

std::optional<int> MouseHandlers::movingPiece() const {
    const auto moving = std::find_if(m_form.Pieces.begin(), m_form.Pieces.end(),
                                     [](const VIDEVER& piece) { return piece.ISMOVING; });
    if (moving == m_form.Pieces.end()) {
        return std::nullopt;
    }
    return static_cast<int>(moving - m_form.Pieces.begin()) + 1;
}

void MouseHandlers::mouseMove(int /*button*/, int /*shift*/, float x, float y) {
    m_outcome = {};
    const float dx = x - m_form.LastMouseX;
    const std::int16_t dy = toInt16(y - m_form.LastMouseY);
    for (int position = 1; position <= m_form.pieceCount(); ++position) {
        m_form.pieceAt(position).MOVE(dx, dy);
    }
    m_form.Redraw();
    m_form.LastMouseX = x;
    m_form.LastMouseY = y;
    if (const std::optional<int> index = movingPiece()) {
        m_outcome = {MouseOutcome::Carried, *index};
    }
}

void MouseHandlers::mouseUp(int /*button*/, int /*shift*/, float x, float y) {
    m_outcome = {};
    if (const std::optional<int> index = movingPiece()) {
        VIDEVER& piece = m_form.pieceAt(*index);
        piece.SH_MOUSEUP();
        // The pointer decides the target, not the drawn centre, which is offset by the grab.
        piece.setX(x);
        piece.setY(y);
        piece.setX(geometry::snapToCentre(m_form.CellSize, piece.X()));
        piece.setY(geometry::snapToCentre(m_form.CellSize, piece.Y()));
        m_outcome = {MouseOutcome::Dropped, *index};
        m_outcome.targetX = piece.X();
        m_outcome.targetY = piece.Y();

        const double edge = boardEdge(m_form.CellSize);
        const bool fromBoard = onBoard(m_form.DragStartX, m_form.DragStartY, m_form.CellSize);
        const bool offBoard =
            piece.X() > edge || piece.Y() > edge || piece.X() < 0 || piece.Y() < 0;
        if (fromBoard && offBoard) {
            fileIntoTray(*index);
        } else {
            std::optional<MouseOutcome::Refusal> refusal;
            if (!fromBoard && !onBoard(piece.X(), piece.Y(), m_form.CellSize)) {
                // A tray piece can only go back onto a free black square.
                refusal = MouseOutcome::OffTheBoard;
            } else if (squareTaken(*index)) {
                refusal = MouseOutcome::TakenSquare;
            } else if (onWhiteSquare(piece)) {
                refusal = MouseOutcome::WhiteSquare;
            }
            if (refusal) {
                ReturnPiece(toInt16(*index));
                m_outcome.kind = MouseOutcome::Refused;
                m_outcome.refusal = *refusal;
            } else if (!fromBoard) {
                freeTrayCellOf(piece);
            }
        }
    }
    m_form.Redraw();
}

void MouseHandlers::putBack() {
    m_outcome = {};
    const std::optional<int> index = movingPiece();
    if (!index) {
        return;
    }
    VIDEVER& piece = m_form.pieceAt(*index);
    piece.SH_MOUSEUP();
    piece.setX(m_form.DragStartX);
    piece.setY(m_form.DragStartY);
    m_form.Redraw();
    m_outcome = {MouseOutcome::PutBack, *index};
}

bool MouseHandlers::squareTaken(int index) const {
    const VIDEVER& moving = m_form.pieceAt(index);
    for (int other = 1; other <= m_form.pieceCount(); ++other) {
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

MouseHandlers::PieceTray MouseHandlers::trayOf(const VIDEVER& piece) {
    return isRed(piece) ? PieceTray{m_form.Tray1, geometry::redTrayRowOffset}
                        : PieceTray{m_form.Tray2, geometry::blueTrayRowOffset};
}

std::optional<TrayCell> MouseHandlers::FreeSlot1(int filing) const {
    return firstFreeCell(m_form.Tray1, geometry::redTrayRowOffset, filing);
}

std::optional<TrayCell> MouseHandlers::FreeSlot2(int filing) const {
    return firstFreeCell(m_form.Tray2, geometry::blueTrayRowOffset, filing);
}

std::optional<TrayCell> MouseHandlers::firstFreeCell(const TrayGrid& tray, int rowOffset,
                                                     int filing) const {
    // A hand-edited file can lay a piece on a cell marked free; filing another piece there would
    // hide one under the other.
    const auto holdsPiece = [&](TrayCell cell) {
        const double column = cell.column + geometry::trayColumnOffset;
        const double row = cell.row + rowOffset;
        for (int other = 1; other <= m_form.pieceCount(); ++other) {
            const VIDEVER& piece = m_form.pieceAt(other);
            if (other != filing && std::floor(piece.X() / m_form.CellSize) == column &&
                std::floor(piece.Y() / m_form.CellSize) == row) {
                return true;
            }
        }
        return false;
    };
    const auto cell =
        std::find_if(TrayGrid::cells.begin(), TrayGrid::cells.end(),
                     [&](TrayCell cell) { return tray(cell) == 0 && !holdsPiece(cell); });
    return cell == TrayGrid::cells.end() ? std::nullopt : std::optional(*cell);
}

void MouseHandlers::fileIntoTray(int index) {
    VIDEVER& piece = m_form.pieceAt(index);
    const std::optional<TrayCell> cell = isRed(piece) ? FreeSlot1(index) : FreeSlot2(index);
    if (!cell) {
        // Only marks or pieces that a file put there can fill a tray; refuse rather than lose
        // the piece outside every cell.
        ReturnPiece(toInt16(index));
        m_outcome.kind = MouseOutcome::Refused;
        m_outcome.refusal = MouseOutcome::TrayFull;
        return;
    }
    const PieceTray tray = trayOf(piece);
    piece.setX(geometry::gridCentre(m_form.CellSize, cell->column + geometry::trayColumnOffset));
    piece.setY(geometry::gridCentre(m_form.CellSize, cell->row + tray.rowOffset));
    tray.grid(*cell) = 1;
    m_outcome.kind = MouseOutcome::Filed;
}

void MouseHandlers::freeTrayCellOf(const VIDEVER& piece) {
    if (!(m_form.DragStartX > geometry::boardEdge(m_form.CellSize))) {
        return;  // picked up on the board: no cell to free
    }
    const PieceTray tray = trayOf(piece);
    const double column = roundHalfEven(
        geometry::trayIndexAt(m_form.CellSize, m_form.DragStartX, geometry::trayColumnOffset));
    const double row =
        roundHalfEven(geometry::trayIndexAt(m_form.CellSize, m_form.DragStartY, tray.rowOffset));
    // A piece that a loaded file left away from a cell centre may point at no cell at all.
    if (TrayGrid::isCell(row, column)) {
        tray.grid(static_cast<int>(row), static_cast<int>(column)) = 0;
    }
}
