#include "board/form1.h"

#include "board/board_sizes.h"

#include <string>

#include "platform/colours.h"
#include "platform/errors.h"
#include "platform/int16.h"

Form1::Form1(Surface& surface, FormHost& host, std::optional<QByteArray> positionFile)
    : m_surface(surface), m_host(host), m_positionFile(std::move(positionFile)) {}

VIDEVER& Form1::pieceAt(int position) {
    if (position < 1 || position > static_cast<int>(Pieces.size())) {
        throw IndexError("There is no piece number " + std::to_string(position) + ".");
    }
    return Pieces[position - 1];
}

void Form1::onLoad() {
    Pieces.clear();
    CellSize = normalSize.cellSize;
    CellSizeI = toInt16(normalSize.cellSize);
    BoardLast = 7;
    PieceRadius = normalSize.pieceRadius;
    InitSetSh1();
    Redraw();
}

void Form1::InitSetSh1() {
    const std::int16_t lastRow = toInt16(BoardLast);
    for (int row = 0; row <= lastRow; ++row) {
        SquareColor = row % 2 == 0 ? colours::black : colours::white;
        const std::int16_t lastColumn = toInt16(BoardLast);
        for (int column = 0; column <= lastColumn; ++column) {
            paintSquare(row, column);
            if (SquareColor != colours::black) {
                SquareColor = colours::black;
                continue;
            }
            const bool redRow = row <= 2;
            const bool blueRow = row >= 5 && row <= 7;
            if (redRow || blueRow) {
                VIDEVER piece;
                piece.setX(CellSize / 2 + multiply16(column, CellSizeI));
                piece.setY(CellSize / 2 + multiply16(row, CellSizeI));
                piece.setR(PieceRadius);
                piece.setSH_TYPE(redRow ? 1 : 2);
                Pieces.push_back(piece);
            }
            SquareColor = colours::white;
        }
    }
}
