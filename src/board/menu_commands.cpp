#include "board/board_sizes.h"
#include "board/form1.h"
#include "platform/form_host.h"
#include "platform/int16.h"
#include "platform/surface.h"

void Form1::newPieces() {
    Pieces.clear();
    // Every piece goes back to the board, so no tray cell may stay marked from the last game:
    // the next piece taken must go to the first cell.
    Tray1 = TrayGrid();
    Tray2 = TrayGrid();
}

void Form1::KngClick() {
    m_surface.clear();
    newPieces();
    InitSetSh1();
    Redraw();
}

void Form1::startGame(double cellSize, std::int16_t pieceRadius) {
    CellSize = cellSize;
    CellSizeI = toInt16(cellSize);
    newPieces();
    PieceRadius = pieceRadius;
    InitSetSh1();
    Redraw();
}

void Form1::NormalClick() {
    startGame(normalSize.cellSize, normalSize.pieceRadius);
    // The first repaint resized the window; the second paints the board at the new size.
    Redraw();
}

void Form1::LargeClick() {
    startGame(largeSize.cellSize, largeSize.pieceRadius);
    Redraw();
}

void Form1::SmallClick() {
    startGame(smallSize.cellSize, smallSize.pieceRadius);
}

void Form1::ExitClick() {
    m_host.endProgram();
}
