#pragma once

#include <QRgb>
#include <cstdint>
#include <functional>
#include <vector>

#include "board/tray_grid.h"
#include "pieces/videver.h"

class FormHost;
class Surface;

// The board window: it owns the whole state of the program, its start-up, its painting and its
// menu commands; the mouse and the position file work on it from the layers above. It reaches
// the outside only through the drawing surface and the host window, so tests can drive it
// without a display.
class Form1 {
public:
    Form1(Surface& surface, FormHost& host);

    // The window's state.
    float LastMouseX = 0;
    float LastMouseY = 0;
    std::int16_t PieceRadius = 0;
    double CellSize = 0;
    double BoardLast = 0;
    std::int16_t CellSizeI = 0;
    QRgb SquareColor = 0;
    TrayGrid Tray1;
    TrayGrid Tray2;
    double DragStartX = 0;
    std::int16_t DragStartY = 0;
    std::vector<VIDEVER> Pieces;

    // A piece by its 1-based position in Pieces, up to pieceCount(); an index outside throws.
    VIDEVER& pieceAt(int position);
    const VIDEVER& pieceAt(int position) const;
    int pieceCount() const;

    // Raised once, before the window is first shown.
    void onLoad();

    void InitSetSh1();
    void DrawChess();
    // The one full repaint: board, trays, then every piece in collection order.
    void Redraw();

    // Menu commands, by control name.
    void KngClick();
    void ExitClick();
    void NormalClick();
    void LargeClick();
    void SmallClick();

private:
    // Walks the board row by row, left to right, painting each square in SquareColor, which
    // alternates from black at the start of an even row; visit sees each square just painted.
    void walkBoard(const std::function<void(int row, int column)>& visit);
    void paintSquare(int row, int column);
    void startGame(double cellSize, std::int16_t pieceRadius);
    void newPieces();

    Surface& m_surface;
    FormHost& m_host;
};
