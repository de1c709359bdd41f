#include "board/form1.h"

#include <string>

#include "board/board_sizes.h"
#include "platform/colours.h"
#include "platform/errors.h"
#include "platform/int16.h"

namespace {
// The index in a collection of count pieces of the piece at a 1-based position.
std::size_t indexOf(int position, std::size_t count) {
    if (position < 1 || static_cast<std::size_t>(position) > count) {
        throw IndexError("There is no piece number " + std::to_string(position) + ".");
    }
    return static_cast<std::size_t>(position - 1);
}
}  // namespace

Form1::Form1(Surface& surface, FormHost& host) : m_surface(surface), m_host(host) {}

VIDEVER& Form1::pieceAt(int position) {
    return Pieces[indexOf(position, Pieces.size())];
}

const VIDEVER& Form1::pieceAt(int position) const {
    return Pieces[indexOf(position, Pieces.size())];
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

void Form1::walkBoard(const std::function<void(int row, int column)>& visit) {
    const std::int16_t lastRow = toInt16(BoardLast);
    for (int row = 0; row <= lastRow; ++row) {
        SquareColor = row % 2 == 0 ? colours::black : colours::white;
        const std::int16_t lastColumn = toInt16(BoardLast);
        for (int column = 0; column <= lastColumn; ++column) {
            paintSquare(row, column);
            visit(row, column);
            SquareColor = SquareColor == colours::black ? colours::white : colours::black;
        }
    }
}

void Form1::InitSetSh1() {
    walkBoard([this](int row, int column) {
        const bool redRow = row <= 2;
        const bool blueRow = row >= 5 && row <= 7;
        if (SquareColor == colours::black && (redRow || blueRow)) {
            VIDEVER piece;
            piece.setX(CellSize / 2 + multiply16(column, CellSizeI));
            piece.setY(CellSize / 2 + multiply16(row, CellSizeI));
            piece.setR(PieceRadius);
            piece.setSH_TYPE(redRow ? 1 : 2);
            Pieces.push_back(piece);
        }
    });
}
