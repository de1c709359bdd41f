#pragma once

#include <QByteArray>
#include <QRgb>
#include <cstdint>
#include <optional>
#include <vector>

#include "board/tray_grid.h"
#include "pieces/videver.h"

class FormHost;
class Surface;

// The board window: it owns the whole state of the program and the behaviour behind every event
// (load, menu commands, mouse press, move and release). It reaches the outside only through the
// drawing surface, the host window and the position file's path, so tests can drive it without
// a display. The path is the bytes the system names the file by; without one (no usable home
// folder) Save and Load say so.
class Form1 {
public:
    Form1(Surface& surface, FormHost& host, std::optional<QByteArray> positionFile);

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

    // The one way to reach a piece: 1-based position in Pieces.
    VIDEVER& pieceAt(int position);

    // Raised once, before the window is first shown.
    void onLoad();

    void InitSetSh1();
    void DrawChess();

    // Menu commands, by control name.
    void SaveClick();
    void LoadClick();
    void KngClick();
    void ExitClick();
    void NormalClick();
    void LargeClick();
    void SmallClick();

    // Mouse events: button and modifier state, then the pointer in client pixels.
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

private:
    void Redraw();
    void paintSquare(int row, int column);
    void startGame(double cellSize, std::int16_t pieceRadius);
    void newPieces();

    // Release resolution.
    std::optional<int> movingPiece() const;
    void ReturnPiece(std::int16_t index);
    std::optional<TrayCell> FreeSlot1() const;
    std::optional<TrayCell> FreeSlot2() const;
    void fileIntoTray(int index);
    bool squareTaken(int index);
    bool onWhiteSquare(const VIDEVER& piece) const;
    void freeTrayCellOf(const VIDEVER& piece);

    Surface& m_surface;
    FormHost& m_host;
    std::optional<QByteArray> m_positionFile;
};
